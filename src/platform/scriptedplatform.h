// SPDX-License-Identifier: MIT
#pragma once

#include "platform/platform.h"

#include <QHash>
#include <QQueue>
#include <QSet>
#include <QStringList>

#include <functional>

/**
 * A platform that answers from a script and records every call, so that tests
 * and benchmarks drive the program without a real modal dialog.
 */
class ScriptedPlatform : public Platform
{
public:
    explicit ScriptedPlatform(const QString &programFolder = QString());

    void messageBox(const QString &text) override;
    int question(const QString &text, const QStringList &answers, int defaultAnswer, int cancelAnswer) override;
    QString browseForFolder(const QString &prompt, const QString &startFolder) override;
    QString browseForFile(const QString &prompt, const QString &startFolder, const QString &filter) override;
    bool openDocument(const QString &path) override;
    void endProgram() override;

    QString tempFolder() const override;
    QString programFolder() const override;
    QString appTitle() const override;
    int versionMajor() const override;
    int versionMinor() const override;
    int versionRevision() const override;

    std::optional<RegistryValue> readRegistry(const QString &keyName, const QString &valueName) override;
    bool fileExists(const QString &path) override;
    bool startProgram(const QString &path) override;

    // Answers
    QQueue<QString> folderAnswers;              // empty text = the user cancels
    QQueue<QString> fileAnswers;                // the same for the file chooser
    QQueue<QString> questionAnswers;            // the answer's text; none left = the box is closed
    QHash<QString, RegistryValue> registry;     // key "keyName|valueName"
    QSet<QString> existingFiles;
    bool programsStart = true;
    bool documentsOpen = true;                  // false: no program can open a page
    QString tempFolderAnswer = QStringLiteral("/tmp/");
    /** Runs while a message box is "open", before it is closed. */
    std::function<void(const QString &)> onMessage;

    // Records
    QStringList messages;
    QStringList folderPrompts;
    QStringList questions;
    QList<QStringList> questionChoices;         // the answers each question offered
    QStringList folderStarts;
    QStringList fileStarts;                     // where each file chooser opened
    QStringList openedDocuments;
    QStringList startedPrograms;
    int programEnds = 0;

private:
    QString m_programFolder;
};
