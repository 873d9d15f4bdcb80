// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

/** A value read from the registry: its type code and raw characters. */
struct RegistryValue {
    int type = 0;       // 1 = string, 4 = 32-bit number
    QString data;       // the characters as the registry returned them
};

/**
 * Everything the program takes from the desktop it runs on. Code above this
 * layer talks only to this interface, so tests can answer dialogs from a
 * script instead of blocking on a real modal window.
 */
class Platform
{
public:
    virtual ~Platform() = default;

    /** Modal message box with OK only and the application title as caption; text is shown as plain text, never as markup. */
    virtual void messageBox(const QString &text) = 0;
    /**
     * Modal question (plain text) with one button per answer and the application title as
     * caption; returns the index of the answer chosen. Escape and closing the
     * box choose cancelAnswer.
     */
    virtual int question(const QString &text, const QStringList &answers, int defaultAnswer, int cancelAnswer) = 0;
    /**
     * Modal folder browser opening at startFolder (the home folder when that is
     * not a folder); the chosen folder's path, or empty text when cancelled.
     */
    virtual QString browseForFolder(const QString &prompt, const QString &startFolder) = 0;
    /**
     * Modal file chooser for one existing file, opening at startFolder (the
     * home folder when that is not a folder) and offering files that match
     * filter; the chosen file's path, or empty text when cancelled.
     */
    virtual QString browseForFile(const QString &prompt, const QString &startFolder, const QString &filter) = 0;
    /** Opens a document with the program associated with its type; false when no program took it. */
    virtual bool openDocument(const QString &path) = 0;
    /** Ends the program at once. */
    virtual void endProgram() = 0;

    /** The temporary-files folder, with its trailing separator. */
    virtual QString tempFolder() const = 0;
    /** The folder that holds the program; templates and the user guide sit there. */
    virtual QString programFolder() const = 0;
    virtual QString appTitle() const = 0;
    virtual int versionMajor() const = 0;
    virtual int versionMinor() const = 0;
    virtual int versionRevision() const = 0;

    /** Reads a value under HKEY_LOCAL_MACHINE; nothing when the key or value is missing. */
    virtual std::optional<RegistryValue> readRegistry(const QString &keyName, const QString &valueName) = 0;
    virtual bool fileExists(const QString &path) = 0;
    /** Starts a program by path in a normal window; false when it cannot be started. */
    virtual bool startProgram(const QString &path) = 0;

    /** The platform the program runs on; install() must have been called. */
    static Platform &instance();
    /** Replaces the platform; returns the previous one. */
    static std::unique_ptr<Platform> install(std::unique_ptr<Platform> platform);
};
