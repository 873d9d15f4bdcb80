// SPDX-License-Identifier: MIT
#include "core/settings.h"

#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

#include <memory>

namespace {
/**
 * The file QSettings gives the organisation and application "Fotoweave" in
 * the user's scope, named in full: QSettings takes the user's folder once per
 * run, and a folder browser may point it elsewhere for a while.
 */
std::unique_ptr<QSettings> open()
{
    return std::make_unique<QSettings>(Settings::filePath(), QSettings::IniFormat);
}

/** The value when it is of the kind asked for; anything else was not written by this program. */
QVariant typed(const QSettings &file, const QString &key, QMetaType::Type type)
{
    const QVariant value = file.value(key);
    return value.typeId() == type ? value : QVariant();
}

/** The file keeps a flag as the text "true" or "false"; a file read in this run keeps it as it was set. */
bool flag(const QSettings &file, const QString &key)
{
    const QVariant value = file.value(key);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    return value.typeId() == QMetaType::QString && value.toString() == QLatin1String("true");
}
}

Settings Settings::read()
{
    Settings settings;
    const auto file = open();
    if (file->status() != QSettings::NoError)
        return settings;
    settings.sourceFolder = typed(*file, QStringLiteral("folders/source"), QMetaType::QString).toString();
    settings.targetFolder = typed(*file, QStringLiteral("folders/target"), QMetaType::QString).toString();
    settings.webSized = flag(*file, QStringLiteral("folders/webSized"));
    const QRect geometry = typed(*file, QStringLiteral("window/geometry"), QMetaType::QRect).toRect();
    if (geometry.isValid())
        settings.windowGeometry = geometry;
    settings.maximised = flag(*file, QStringLiteral("window/maximised"));
    return settings;
}

bool Settings::write() const
{
    const auto file = open();
    // What a damaged file held is not kept: every value is written afresh.
    file->clear();
    file->setValue(QStringLiteral("folders/source"), sourceFolder);
    file->setValue(QStringLiteral("folders/target"), targetFolder);
    file->setValue(QStringLiteral("folders/webSized"), webSized);
    if (windowGeometry.isValid())
        file->setValue(QStringLiteral("window/geometry"), windowGeometry);
    file->setValue(QStringLiteral("window/maximised"), maximised);
    file->sync();
    return file->status() == QSettings::NoError;
}

QString Settings::filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Fotoweave/Fotoweave.conf");
}
