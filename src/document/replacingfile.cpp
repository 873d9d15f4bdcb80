// SPDX-License-Identifier: MIT
#include "document/replacingfile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

ReplacingFile::ReplacingFile(const QString &destination)
    : m_destination(destination)
{
}

ReplacingFile::~ReplacingFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_temporary.isEmpty())
        ::unlink(QFile::encodeName(m_temporary).constData());
}

QString ReplacingFile::reason(int error)
{
    return QString::fromLocal8Bit(std::generic_category().message(error));
}

bool ReplacingFile::fail(int error)
{
    m_error = reason(error);
    return false;
}

bool ReplacingFile::open()
{
    // A short name, so that a destination whose own name is near the file
    // system's limit still has room for it.
    const QString folder = QFileInfo(m_destination).path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = folder + QStringLiteral("/.fw-%1.tmp")
                                               .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        const int fd = ::open(QFile::encodeName(candidate).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            m_fd = fd;
            m_temporary = candidate;
            return true;
        }
        if (errno != EEXIST)
            return fail(errno);
    }
    return fail(EEXIST);
}

bool ReplacingFile::write(const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t done = ::write(m_fd, data, size_t(size));
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        data += done;
        size -= done;
        m_written += done;
    }
    return true;
}

bool ReplacingFile::sizeKept()
{
    struct stat written {};
    if (::fstat(m_fd, &written) != 0)
        return fail(errno);
    if (written.st_size != m_written)
        return fail(ENOSPC); // the file system kept less than it accepted
    return true;
}

bool ReplacingFile::rename()
{
    if (::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_destination).constData()) != 0)
        return fail(errno);
    m_temporary.clear();
    return true;
}

bool ReplacingFile::commit()
{
    if (!sizeKept())
        return false;
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0)
        return fail(errno);
    return rename();
}
