// SPDX-License-Identifier: MIT
#pragma once

#include <QLockFile>
#include <QString>

/**
 * Keeps every other batch out of a target folder while one writes its slide
 * show there: a lock file beside the page, held from "Start" until the batch
 * ends or is closed, and left behind only by a process that no longer runs.
 */
class TargetLock
{
public:
    /** The lock file's name in the target folder. */
    static constexpr char FileName[] = ".SlideShow.htm.lock";

    explicit TargetLock(const QString &folder);

    /** Takes the folder; false when another batch holds it or no lock file can be made there. */
    bool tryLock();
    /** True after a failed tryLock() when another batch, or something else, holds the lock's place. */
    bool isHeldElsewhere() const { return m_foreign || m_file.error() == QLockFile::LockFailedError; }
    /** What to tell the user when another batch holds the folder: who it is, or what stands in the lock's place. */
    QString refusal() const;
    const QString &folder() const { return m_folder; }
    QString path() const { return m_folder + QLatin1Char('/') + QLatin1String(FileName); }

private:
    QString m_folder;
    QLockFile m_file;
    bool m_foreign = false; // something other than a file stands where the lock goes
};
