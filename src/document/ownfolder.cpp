// SPDX-License-Identifier: MIT
#include "document/ownfolder.h"

#include "document/replacingfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace {
/** What stands at a path that is not a folder, as the message names it. */
QString kindOf(mode_t mode)
{
    if (S_ISLNK(mode))
        return QCoreApplication::translate("OwnFolder", "a symbolic link");
    if (S_ISREG(mode))
        return QCoreApplication::translate("OwnFolder", "a file");
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("OwnFolder", "a FIFO");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("OwnFolder", "a socket");
    return QCoreApplication::translate("OwnFolder", "a device");
}
}

bool OwnFolder::ensure(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    // lstat, not stat: a link is judged as a link, wherever it points.
    if (::lstat(name.constData(), &status) != 0) {
        if (errno != ENOENT || (::mkdir(name.constData(), 0777) != 0 && errno != EEXIST)) {
            m_error = QCoreApplication::translate("OwnFolder", "The folder \"%1\" could not be made: %2.")
                          .arg(QDir::toNativeSeparators(path), ReplacingFile::reason(errno));
            return false;
        }
        if (::lstat(name.constData(), &status) != 0) {
            m_error = QCoreApplication::translate("OwnFolder", "The folder \"%1\" could not be made: %2.")
                          .arg(QDir::toNativeSeparators(path), ReplacingFile::reason(errno));
            return false;
        }
    }
    if (S_ISDIR(status.st_mode))
        return true;
    m_error = QCoreApplication::translate("OwnFolder", "\"%1\" is %2, not a folder, so nothing is written into it.")
                  .arg(QDir::toNativeSeparators(path), kindOf(status.st_mode));
    return false;
}
