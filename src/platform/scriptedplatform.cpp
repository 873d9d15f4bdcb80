// SPDX-License-Identifier: MIT
#include "platform/scriptedplatform.h"

#include <QVersionNumber>

ScriptedPlatform::ScriptedPlatform(const QString &programFolder)
    : m_programFolder(programFolder)
{
}

void ScriptedPlatform::messageBox(const QString &text)
{
    messages.append(text);
    if (onMessage)
        onMessage(text);
}

int ScriptedPlatform::question(const QString &text, const QStringList &answers, int, int cancelAnswer)
{
    questions.append(text);
    questionChoices.append(answers);
    if (questionAnswers.isEmpty())
        return cancelAnswer;
    const qsizetype chosen = answers.indexOf(questionAnswers.dequeue());
    return chosen < 0 ? cancelAnswer : int(chosen);
}

QString ScriptedPlatform::browseForFolder(const QString &prompt, const QString &startFolder)
{
    folderPrompts.append(prompt);
    folderStarts.append(startFolder);
    return folderAnswers.isEmpty() ? QString() : folderAnswers.dequeue();
}

QString ScriptedPlatform::browseForFile(const QString &, const QString &startFolder, const QString &)
{
    fileStarts.append(startFolder);
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

bool ScriptedPlatform::openDocument(const QString &path)
{
    openedDocuments.append(path);
    return documentsOpen;
}

void ScriptedPlatform::endProgram()
{
    ++programEnds;
}

QString ScriptedPlatform::tempFolder() const { return tempFolderAnswer; }
QString ScriptedPlatform::programFolder() const { return m_programFolder; }
QString ScriptedPlatform::appTitle() const { return QStringLiteral("Fotoweave"); }
// The version the program is built as, like the real application's.
int ScriptedPlatform::versionMajor() const { return QVersionNumber::fromString(QStringLiteral(FOTOWEAVE_VERSION)).majorVersion(); }
int ScriptedPlatform::versionMinor() const { return QVersionNumber::fromString(QStringLiteral(FOTOWEAVE_VERSION)).minorVersion(); }
int ScriptedPlatform::versionRevision() const { return QVersionNumber::fromString(QStringLiteral(FOTOWEAVE_VERSION)).microVersion(); }

std::optional<RegistryValue> ScriptedPlatform::readRegistry(const QString &keyName, const QString &valueName)
{
    const auto it = registry.constFind(keyName + QLatin1Char('|') + valueName);
    if (it == registry.constEnd())
        return std::nullopt;
    return *it;
}

bool ScriptedPlatform::fileExists(const QString &path)
{
    return existingFiles.contains(path);
}

bool ScriptedPlatform::startProgram(const QString &path)
{
    startedPrograms.append(path);
    return programsStart;
}
