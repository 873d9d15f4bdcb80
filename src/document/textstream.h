// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

/** An output text file written line by line with CR LF line ends. Failures throw DocumentError. */
class TextStream
{
public:
    /** Creates the file, or empties an existing one. */
    static std::unique_ptr<TextStream> create(const QString &path);
    /** Opens an existing file to write after what it holds. */
    static std::unique_ptr<TextStream> append(const QString &path);

    void Write(const QByteArray &text);
    void WriteLine(const QByteArray &text);
    void WriteBlankLines(int lines);
    /** Hands everything written so far to the file system. */
    void flush();
    void Close();
    /** Bytes written so far: where the next write lands. */
    qint64 size() const { return m_file.pos(); }
    /** Cuts the file back to its first `size` bytes, on disk at once; later writes follow them. */
    void truncate(qint64 size);

    bool isOpen() const { return m_file.isOpen(); }
    QString path() const { return m_file.fileName(); }

private:
    explicit TextStream(const QString &path) : m_file(path) {}
    [[noreturn]] void fail(const QString &what) const;

    QFile m_file;
};
