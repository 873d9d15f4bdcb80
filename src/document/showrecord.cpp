// SPDX-License-Identifier: MIT
#include "document/showrecord.h"

#include "document/replacingfile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
constexpr int Version = 1;
constexpr qint64 MostRead = 64 << 20;

/** A plain file name, never a path. */
bool plainName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

/** A file in the page's folder or below it (a thumbnail), never one above or elsewhere. */
bool nameBelow(const QString &name)
{
    const QStringList parts = name.split(QLatin1Char('/'));
    for (const QString &part : parts) {
        if (!plainName(part))
            return false;
    }
    return true;
}

QString timeText(const QDateTime &time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODateWithMs) : QString();
}
}

ShowRecord::Photo ShowRecord::Photo::of(const QFileInfo &file)
{
    return Photo{file.fileName(), file.size(), file.lastModified().toUTC()};
}

bool ShowRecord::Photo::operator==(const Photo &other) const
{
    return name == other.name && size == other.size && modified == other.modified;
}

QString ShowRecord::Photo::key() const
{
    const QString time = modified.isValid() ? QString::number(modified.toMSecsSinceEpoch()) : QString();
    return name + QLatin1Char('/') + QString::number(size) + QLatin1Char('/') + time;
}

QString ShowRecord::pathFor(const QString &pagePath)
{
    const QFileInfo page(pagePath);
    return page.path() + QStringLiteral("/.") + page.fileName() + QStringLiteral(".state");
}

ShowRecord ShowRecord::load(const QString &pagePath)
{
    QFile file(pathFor(pagePath));
    if (!file.open(QIODevice::ReadOnly) || file.size() > MostRead)
        return ShowRecord();
    return fromJson(file.read(MostRead));
}

bool ShowRecord::save(const QString &pagePath) const
{
    const QByteArray text = toJson();
    ReplacingFile file(pathFor(pagePath));
    return file.open() && file.write(text.constData(), text.size()) && file.commit();
}

bool ShowRecord::madeForShow(const QString &fileName) const
{
    return nameBelow(fileName) && made.contains(fileName);
}

bool ShowRecord::wasSkipped(const Photo &photo) const
{
    return skipped.contains(photo);
}

void ShowRecord::skip(const Photo &photo)
{
    if (!wasSkipped(photo))
        skipped.append(photo);
}

void ShowRecord::addMade(const QString &fileName)
{
    if (nameBelow(fileName) && !made.contains(fileName))
        made.append(fileName);
}

QByteArray ShowRecord::toJson() const
{
    QJsonArray skippedPhotos;
    for (const Photo &photo : skipped) {
        skippedPhotos.append(QJsonObject{{QStringLiteral("name"), photo.name},
                                         {QStringLiteral("size"), QString::number(photo.size)},
                                         {QStringLiteral("modified"), timeText(photo.modified)}});
    }
    const QJsonObject record{{QStringLiteral("version"), Version},
                             {QStringLiteral("webSized"), webSized},
                             {QStringLiteral("skipped"), skippedPhotos},
                             {QStringLiteral("made"), QJsonArray::fromStringList(made)}};
    return QJsonDocument(record).toJson(QJsonDocument::Indented);
}

ShowRecord ShowRecord::fromJson(const QByteArray &text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    const QJsonObject object = document.object();
    // A later version may mean things this one cannot know: not read, so nothing is deleted.
    if (error.error != QJsonParseError::NoError || !document.isObject()
        || object.value(QStringLiteral("version")).toInt(-1) != Version
        || !object.value(QStringLiteral("webSized")).isBool()
        || !object.value(QStringLiteral("skipped")).isArray() || !object.value(QStringLiteral("made")).isArray())
        return ShowRecord();

    ShowRecord record;
    record.webSized = object.value(QStringLiteral("webSized")).toBool();
    const QJsonArray skippedPhotos = object.value(QStringLiteral("skipped")).toArray();
    for (const QJsonValue &value : skippedPhotos) {
        const QJsonObject photo = value.toObject();
        bool sized = false;
        Photo one{photo.value(QStringLiteral("name")).toString(),
                  photo.value(QStringLiteral("size")).toString().toLongLong(&sized),
                  QDateTime::fromString(photo.value(QStringLiteral("modified")).toString(), Qt::ISODateWithMs)};
        if (!plainName(one.name) || !sized)
            return ShowRecord();
        record.skipped.append(one);
    }
    const QJsonArray madeFiles = object.value(QStringLiteral("made")).toArray();
    for (const QJsonValue &value : madeFiles) {
        if (!value.isString() || !nameBelow(value.toString()))
            return ShowRecord();
        record.made.append(value.toString());
    }
    record.m_loaded = true;
    return record;
}
