// SPDX-License-Identifier: MIT
#pragma once

#include "core/makeoptions.h"
#include "platform/platform.h"

#include <QStringList>

/**
 * The platform of a run without a window: nobody is there to answer, so a
 * question about a slide show already in the target is answered as the
 * command line said (--continue or --replace), or refused; messages are kept
 * for the command line to print.
 */
class ConsolePlatform : public Platform
{
public:
    explicit ConsolePlatform(MakeOptions::Existing existing) : m_existing(existing) {}

    void messageBox(const QString &text) override { m_messages << text; }
    int question(const QString &text, const QStringList &answers, int defaultAnswer, int cancelAnswer) override;
    QString browseForFolder(const QString &, const QString &) override { return QString(); }
    QString browseForFile(const QString &, const QString &, const QString &) override { return QString(); }
    bool openDocument(const QString &) override { return false; }
    void endProgram() override {}

    QString tempFolder() const override;
    QString programFolder() const override;
    QString appTitle() const override { return QStringLiteral("Fotoweave"); }
    int versionMajor() const override;
    int versionMinor() const override;
    int versionRevision() const override;

    std::optional<RegistryValue> readRegistry(const QString &, const QString &) override { return std::nullopt; }
    bool fileExists(const QString &path) override;
    bool startProgram(const QString &) override { return false; }

    /** What the program would have shown in message boxes, and the questions it could not answer. */
    QStringList takeMessages() { return std::exchange(m_messages, {}); }

private:
    MakeOptions::Existing m_existing;
    QStringList m_messages;
};
