// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <stdexcept>
#include <vector>

/** A folder could not be listed; the text says which and why. */
class FolderError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

/**
 * Lists the files directly inside a folder in the one order the program shows
 * them everywhere: natural order, ignoring letter case, with runs of digits
 * compared as numbers (img2 before img10).
 */
class ImageFolder
{
public:
    struct Entry {
        QString path; // full path
        QString name; // name and extension, no folder
    };
    /** Why a file of the folder is not listed. */
    enum class Reason { UnreadableName, NotAFile };
    /** A file that is not listed: its name as near as it can be shown, and why. */
    struct LeftOut {
        QString name;
        Reason reason;
    };

    /**
     * Every regular file of the folder (or link to one) whose name the file
     * system's encoding can carry, sorted. The other files (not folders) go
     * to leftOut, sorted too. Throws FolderError. Safe on any thread.
     */
    static std::vector<Entry> list(const QString &folder, std::vector<LeftOut> *leftOut = nullptr);
    /** How many times a folder has been listed in this run. */
    static int listings();
    /** The text after the last dot of a file name; empty when there is none. */
    static QString extensionName(const QString &name);
    /** A key whose plain ordering is the natural, case-insensitive order of the names. */
    static QString sortKey(const QString &name);
};
