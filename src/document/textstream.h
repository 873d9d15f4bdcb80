// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

/**
 * An output text file written line by line with CR LF line ends. Writes go
 * straight to the file system; what was written since the last flush() is one
 * piece, and a write that fails takes the whole piece back out of the file,
 * so nothing unreported reaches it later. Failures throw DocumentError with
 * the operating system's reason.
 */
class TextStream
{
public:
    /**
     * Opens an existing page to write after what it holds. Only an ordinary
     * file is opened, never through a link and never a pipe or device, so
     * opening cannot block.
     */
    static std::unique_ptr<TextStream> append(const QString &path);
    ~TextStream();
    TextStream(const TextStream &) = delete;
    TextStream &operator=(const TextStream &) = delete;

    void Write(const QByteArray &text);
    void WriteLine(const QByteArray &text);
    void WriteBlankLines(int lines);
    /** Makes everything written so far a lasting part of the file. */
    void flush();
    void Close();
    /** Bytes written so far: where the next write lands. */
    qint64 size() const { return m_size; }
    /**
     * Cuts the file back to its first `size` bytes, on disk at once; later
     * writes follow them. Throws, changing nothing, when the file is no longer
     * the one written or not as long as written.
     */
    void truncate(qint64 size);

    bool isOpen() const { return m_fd >= 0; }
    QString path() const { return m_path; }
    /** True while the file written is still the one at path(), not deleted, replaced or changed in length. */
    bool inPlace() const;
    /** Throws DocumentError, as a write would, when the file written is no longer the one at path(). */
    void checkInPlace() const;

private:
    explicit TextStream(const QString &path) : m_path(path) {}
    [[noreturn]] void fail(const QString &what, const QString &reason) const;
    void takeBack();
    /** Why the file written is no longer the one at path(); empty while it is. */
    QString displacement() const;

    QString m_path;
    int m_fd = -1;
    qint64 m_size = 0;   // bytes in the file
    qint64 m_kept = 0;   // bytes up to the last flush()
};
