// SPDX-License-Identifier: MIT
#include "document/textstream.h"

#include "document/documenterror.h"
#include "document/replacingfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

std::unique_ptr<TextStream> TextStream::append(const QString &path)
{
    std::unique_ptr<TextStream> stream(new TextStream(path));
    stream->m_fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (stream->m_fd < 0)
        stream->fail(QCoreApplication::translate("TextStream", "could not be opened"), ReplacingFile::reason(errno));
    struct stat opened {};
    if (::fstat(stream->m_fd, &opened) != 0 || !S_ISREG(opened.st_mode))
        stream->fail(QCoreApplication::translate("TextStream", "could not be opened"), QCoreApplication::translate("TextStream", "it is not an ordinary file"));
    stream->m_size = stream->m_kept = ::lseek(stream->m_fd, 0, SEEK_END);
    return stream;
}

TextStream::~TextStream()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool TextStream::inPlace() const
{
    return m_fd >= 0 && displacement().isEmpty();
}

QString TextStream::displacement() const
{
    struct stat written {};
    struct stat named {};
    if (::fstat(m_fd, &written) != 0)
        return ReplacingFile::reason(errno);
    if (::stat(QFile::encodeName(m_path).constData(), &named) != 0)
        return ReplacingFile::reason(errno);
    if (written.st_dev != named.st_dev || written.st_ino != named.st_ino)
        return QCoreApplication::translate("TextStream", "another file has taken its place");
    // Cutting back or writing on would lose or break what another program put there.
    if (written.st_size != m_size)
        return QCoreApplication::translate("TextStream", "another program has changed it since it was written");
    return QString();
}

void TextStream::checkInPlace() const
{
    if (m_fd < 0)
        throw DocumentError(QCoreApplication::translate("TextStream", "The slide show \"%1\" is already closed.").arg(QDir::toNativeSeparators(m_path)));
    // Writing on would only reach a file that nobody can open any more.
    const QString displaced = displacement();
    if (!displaced.isEmpty())
        fail(QCoreApplication::translate("TextStream", "could not be written"), displaced);
}

void TextStream::Write(const QByteArray &text)
{
    checkInPlace();
    const char *data = text.constData();
    qint64 left = text.size();
    while (left > 0) {
        const ssize_t done = ::write(m_fd, data, size_t(left));
        if (done < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            takeBack();
            fail(QCoreApplication::translate("TextStream", "could not be written"), ReplacingFile::reason(error));
        }
        data += done;
        left -= done;
        m_size += done;
    }
}

void TextStream::WriteLine(const QByteArray &text)
{
    Write(text + "\r\n");
}

void TextStream::WriteBlankLines(int lines)
{
    Write(QByteArray("\r\n").repeated(lines));
}

void TextStream::flush()
{
    m_kept = m_size;
}

void TextStream::truncate(qint64 size)
{
    // Only the page as this stream wrote it is cut back.
    const QString displaced = displacement();
    if (!displaced.isEmpty())
        fail(QCoreApplication::translate("TextStream", "could not be cut back"), displaced);
    if (::ftruncate(m_fd, size) != 0 || ::lseek(m_fd, size, SEEK_SET) != size)
        fail(QCoreApplication::translate("TextStream", "could not be cut back"), ReplacingFile::reason(errno));
    m_size = m_kept = size;
}

void TextStream::Close()
{
    if (m_fd < 0)
        return;
    flush();
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0)
        fail(QCoreApplication::translate("TextStream", "could not be written"), ReplacingFile::reason(errno));
}

void TextStream::takeBack()
{
    // Shrinking needs no space, so this works on a full disk too.
    if (m_size != m_kept && ::ftruncate(m_fd, m_kept) == 0 && ::lseek(m_fd, m_kept, SEEK_SET) == m_kept)
        m_size = m_kept;
}

void TextStream::fail(const QString &what, const QString &reason) const
{
    throw DocumentError(QCoreApplication::translate("TextStream", "The slide show \"%1\" %2: %3.")
                            .arg(QDir::toNativeSeparators(m_path), what, reason));
}
