// SPDX-License-Identifier: MIT
#include "document/targetlock.h"

#include <QDir>

TargetLock::TargetLock(const QString &folder)
    : m_folder(folder)
    , m_file(folder + QStringLiteral("/.SlideShow.htm.lock"))
{
    // A batch may run for hours: only a lock whose process has ended is stale.
    m_file.setStaleLockTime(0);
}

bool TargetLock::tryLock()
{
    return m_file.tryLock(0);
}

QString TargetLock::refusal() const
{
    const QString folder = QDir::toNativeSeparators(m_folder);
    qint64 pid = 0;
    QString host;
    QString program;
    if (!m_file.getLockInfo(&pid, &host, &program))
        return QStringLiteral("Another slide show batch is writing to the target folder \"%1\". "
                              "Finish or close it first, or choose another target folder.").arg(folder);
    return QStringLiteral("Another slide show batch is writing to the target folder \"%1\": "
                          "%2 (process %3 on %4) holds it. Finish or close that batch first, "
                          "or choose another target folder.")
        .arg(folder, program.isEmpty() ? QStringLiteral("a program") : program, QString::number(pid), host);
}
