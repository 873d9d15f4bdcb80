// SPDX-License-Identifier: MIT
#include "core/consoleplatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QVersionNumber>

int ConsolePlatform::question(const QString &text, const QStringList &answers, int, int cancelAnswer)
{
    // The answers come in the user's language, as the question's start offers them.
    const QString continueAnswer = QCoreApplication::translate("SlideShowStart", "Continue");
    const QString replaceAnswer = QCoreApplication::translate("SlideShowStart", "Replace");
    const QString wanted = m_existing == MakeOptions::Existing::Continue ? continueAnswer
        : m_existing == MakeOptions::Existing::Replace                   ? replaceAnswer
                                                                         : QString();
    const qsizetype answer = wanted.isEmpty() ? -1 : answers.indexOf(wanted);
    if (answer >= 0)
        return int(answer);
    // Said instead of asked: the page's state, and the options that would have answered.
    QString options;
    for (const QString &offered : answers) {
        if (offered == continueAnswer || offered == replaceAnswer)
            options += (options.isEmpty() ? QString() : QCoreApplication::translate("ConsolePlatform", " or "))
                + (offered == continueAnswer ? QLatin1String("--continue") : QLatin1String("--replace"));
    }
    QString said = text.left(text.indexOf(QLatin1String("\n\n")));
    m_messages << said + QCoreApplication::translate("ConsolePlatform", "\nNothing was changed. Give %1 to say what to do with it.").arg(options);
    return cancelAnswer;
}

QString ConsolePlatform::tempFolder() const
{
    return QDir::tempPath() + QLatin1Char('/');
}

QString ConsolePlatform::programFolder() const
{
    return QCoreApplication::applicationDirPath();
}

namespace {
int versionPart(int index)
{
    return QVersionNumber::fromString(QStringLiteral(FOTOWEAVE_VERSION)).segmentAt(index);
}
}

int ConsolePlatform::versionMajor() const { return versionPart(0); }
int ConsolePlatform::versionMinor() const { return versionPart(1); }
int ConsolePlatform::versionRevision() const { return versionPart(2); }

bool ConsolePlatform::fileExists(const QString &path)
{
    return QFileInfo(path).isFile();
}
