// SPDX-License-Identifier: MIT
#include "document/slideshowtemplates.h"

#include "document/documenterror.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {
/** The content of a template beside the program. Throws DocumentError. */
QByteArray readTemplate(const QString &name)
{
    QFile file(Platform::instance().programFolder() + QLatin1Char('/') + name);
    if (!file.open(QIODevice::ReadOnly))
        throw DocumentError(QCoreApplication::translate("SlideShowTemplates", "The template \"%1\" could not be read: %2.")
                                .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
    QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw DocumentError(QCoreApplication::translate("SlideShowTemplates", "The template \"%1\" could not be read: %2.")
                                .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
    return text;
}
}

SlideShowTemplates SlideShowTemplates::read()
{
    SlideShowTemplates templates;
    templates.head = readTemplate(QStringLiteral("Head.txt"));
    templates.middle = readTemplate(QStringLiteral("Middle.txt"));
    templates.end = readTemplate(QStringLiteral("End.txt"));
    return templates;
}
