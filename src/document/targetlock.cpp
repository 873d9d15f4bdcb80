// SPDX-License-Identifier: MIT
#include "document/targetlock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <sys/stat.h>

TargetLock::TargetLock(const QString &folder)
    : m_folder(folder)
    , m_file(folder + QLatin1Char('/') + QLatin1String(FileName))
{
    // A batch may run for hours: only a lock whose process has ended is stale.
    m_file.setStaleLockTime(0);
}

namespace {
/** What stands at path when it is no ordinary file: a folder, a link, a pipe; empty otherwise. */
QString notAFile(const QString &path)
{
    struct stat there {};
    if (::lstat(QFile::encodeName(path).constData(), &there) != 0 || S_ISREG(there.st_mode))
        return QString();
    if (S_ISDIR(there.st_mode))
        return QCoreApplication::translate("TargetLock", "a folder");
    if (S_ISLNK(there.st_mode))
        return QCoreApplication::translate("TargetLock", "a symbolic link");
    return QCoreApplication::translate("TargetLock", "not an ordinary file");
}
}

bool TargetLock::tryLock()
{
    // A lock is never read through a link, nor from a pipe that would keep the window waiting.
    m_foreign = !notAFile(m_folder + QLatin1Char('/') + QLatin1String(FileName)).isEmpty();
    return !m_foreign && m_file.tryLock(0);
}

QString TargetLock::refusal() const
{
    const QString folder = QDir::toNativeSeparators(m_folder);
    const QString lock = QDir::toNativeSeparators(m_folder + QLatin1Char('/') + QLatin1String(FileName));
    // Only an ordinary file can be a lock of this program; say what stands there instead.
    const QString kind = notAFile(m_folder + QLatin1Char('/') + QLatin1String(FileName));
    if (!kind.isEmpty())
        return QCoreApplication::translate("TargetLock", "\"%1\" is %2, not a lock this program writes, so no slide show can be written to the "
                              "target folder \"%3\". Move or rename it, or choose another target folder.")
            .arg(lock, kind, folder);
    const QString unknown = QCoreApplication::translate("TargetLock", ", so it is not known whether another slide show batch is writing to the "
                                           "target folder \"%1\". If none is, delete that file; or choose another "
                                           "target folder.").arg(folder);
    QFile file(m_folder + QLatin1Char('/') + QLatin1String(FileName));
    if (!file.open(QIODevice::ReadOnly))
        return QCoreApplication::translate("TargetLock", "\"%1\" cannot be read (%2)").arg(lock, file.errorString()) + unknown;
    qint64 pid = 0;
    QString host;
    QString program;
    if (!m_file.getLockInfo(&pid, &host, &program))
        return QCoreApplication::translate("TargetLock", "\"%1\" does not hold what this program writes into its locks").arg(lock) + unknown;
    return QCoreApplication::translate("TargetLock", "Another slide show batch is writing to the target folder \"%1\": "
                          "%2 (process %3 on %4) holds it. Finish or close that batch first, "
                          "or choose another target folder.")
        .arg(folder, program.isEmpty() ? QCoreApplication::translate("TargetLock", "a program") : program, QString::number(pid), host);
}
