// SPDX-License-Identifier: MIT
#pragma once

#include "platform/platform.h"

/** The platform as Qt provides it on a real desktop. */
class QtPlatform : public Platform
{
public:
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
};
