// SPDX-License-Identifier: MIT
#include "document/textstream.h"

#include "document/documenterror.h"

#include <QDir>

std::unique_ptr<TextStream> TextStream::create(const QString &path)
{
    std::unique_ptr<TextStream> stream(new TextStream(path));
    if (!stream->m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        stream->fail(QStringLiteral("could not be created"));
    return stream;
}

std::unique_ptr<TextStream> TextStream::append(const QString &path)
{
    std::unique_ptr<TextStream> stream(new TextStream(path));
    if (!stream->m_file.open(QIODevice::WriteOnly | QIODevice::Append))
        stream->fail(QStringLiteral("could not be opened"));
    return stream;
}

void TextStream::Write(const QByteArray &text)
{
    if (!m_file.isOpen())
        throw DocumentError(QStringLiteral("The slide show \"%1\" is already closed.").arg(QDir::toNativeSeparators(path())));
    if (m_file.write(text) != text.size())
        fail(QStringLiteral("could not be written"));
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
    if (m_file.isOpen() && !m_file.flush())
        fail(QStringLiteral("could not be written"));
}

void TextStream::truncate(qint64 size)
{
    if (!m_file.flush() || !m_file.resize(size) || !m_file.seek(size))
        fail(QStringLiteral("could not be cut back"));
}

void TextStream::Close()
{
    if (!m_file.isOpen())
        return;
    const bool flushed = m_file.flush();
    m_file.close();
    if (!flushed || m_file.error() != QFileDevice::NoError)
        fail(QStringLiteral("could not be written"));
}

void TextStream::fail(const QString &what) const
{
    throw DocumentError(QStringLiteral("The slide show \"%1\" %2: %3.")
                            .arg(QDir::toNativeSeparators(path()), what, m_file.errorString()));
}
