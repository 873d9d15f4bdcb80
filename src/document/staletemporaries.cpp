// SPDX-License-Identifier: MIT
#include "document/staletemporaries.h"

#include "imaging/webcopy.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <sys/stat.h>
#include <unistd.h>

namespace {
/** The names this program gives its temporary files: a page rewritten, a copy, a web-sized copy or thumbnail. */
bool isOurTemporary(const QString &name)
{
    static const QRegularExpression ours(QStringLiteral(
        "^(?:\\.SlideShow\\.htm\\.[0-9a-z]{1,7}\\.tmp|\\.fw-[0-9a-f]{8}\\.tmp|\\.fw-[0-9A-Za-z]{6})$"));
    return ours.match(name).hasMatch();
}

bool olderThan(const struct stat &file, const struct stat &lock)
{
    return file.st_mtim.tv_sec < lock.st_mtim.tv_sec
        || (file.st_mtim.tv_sec == lock.st_mtim.tv_sec && file.st_mtim.tv_nsec < lock.st_mtim.tv_nsec);
}

void removeIn(const QString &folder, const struct stat &lock)
{
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        if (!isOurTemporary(name))
            continue;
        const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name);
        struct stat file {};
        if (::lstat(path.constData(), &file) == 0 && S_ISREG(file.st_mode) && file.st_uid == ::geteuid()
            && olderThan(file, lock))
            ::unlink(path.constData());
    }
}
}

void StaleTemporaries::remove(const QString &folder, const QString &lockPath)
{
    struct stat lock {};
    if (::lstat(QFile::encodeName(lockPath).constData(), &lock) != 0 || !S_ISREG(lock.st_mode))
        return;
    removeIn(folder, lock);
    // Only real folders of thumbnails and copies: a link there leads to someone else's files.
    const auto realFolder = [](const QString &path) {
        struct stat there {};
        return ::lstat(QFile::encodeName(path).constData(), &there) == 0 && S_ISDIR(there.st_mode);
    };
    const QString thumbnails = folder + QLatin1Char('/') + WebCopy::thumbnailFolder();
    if (realFolder(thumbnails)) {
        removeIn(thumbnails, lock);
        if (realFolder(thumbnails + QStringLiteral("/2x")))
            removeIn(thumbnails + QStringLiteral("/2x"), lock);
    }
    const QString photos = folder + QLatin1Char('/') + WebCopy::photoFolder();
    if (realFolder(photos))
        removeIn(photos, lock);
}
