// SPDX-License-Identifier: MIT
#include "document/pagetext.h"

#include <QByteArrayList>
#include <QStringList>

namespace PageText {

namespace {
/** The text's bytes, with each byte that replace() maps to a text replaced by it. */
template<class Replace>
QByteArray escaped(const QString &text, Replace replace)
{
    const QByteArray bytes = text.toLocal8Bit();
    QByteArray out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        if (const char *replacement = replace(c))
            out += replacement;
        else
            out += c;
    }
    return out;
}
}

QByteArray scriptString(const QString &text)
{
    return escaped(text, [](char c) -> const char * {
        switch (c) {
        case '\\': return "\\\\";
        case '\'': return "\\'";
        case '\r': return "\\r";
        case '\n': return "\\n";
        case '<': return "\\x3C";
        default: return nullptr;
        }
    });
}

QByteArray markup(const QString &text)
{
    return escaped(text, [](char c) -> const char * {
        switch (c) {
        case '&': return "&amp;";
        case '<': return "&lt;";
        case '>': return "&gt;";
        default: return nullptr;
        }
    });
}

QByteArray url(const QString &fileName)
{
    return fileName.toUtf8().toPercentEncoding("-._~");
}

QByteArray relativeUrl(const QString &path)
{
    QByteArrayList segments;
    for (const QString &segment : path.split(QLatin1Char('/')))
        segments << url(segment);
    return segments.join('/');
}

QByteArray pictureLine(qint32 n, const QString &fileName)
{
    return "Picture[" + QByteArray::number(n) + "]  = '" + scriptString(fileName) + "'; ";
}

QByteArray captionLine(qint32 n, const QString &caption)
{
    return "Caption[" + QByteArray::number(n) + "] = '" + scriptString(caption) + "' ;";
}

QByteArray thumbnailLine(qint32 n, const QString &path)
{
    return "Thumbnail[" + QByteArray::number(n) + "] = '" + scriptString(path) + "';";
}

QByteArray pictureRow(const QString &firstPicture)
{
    return "<TD WIDTH='350' HEIGHT='280' COLSPAN='3'> <IMG SRC='" + relativeUrl(firstPicture)
        + "' NAME='PictureBox' WIDTH='350' HEIGHT='280'> </TD> </TR><TR>";
}

QByteArray captionRow(const QString &slideShowName)
{
    return "<TD ID='CaptionBox' CLASS='Caption' ALIGN='center' COLSPAN='3'> " + markup(slideShowName)
        + " </TD></TR>";
}

QByteArray entry(qint32 n, const QString &fileName, const QString &caption, const QString &thumbnail)
{
    QByteArray text = "\r\n\r\n" + pictureLine(n, fileName) + "\r\n" + captionLine(n, caption) + "\r\n";
    if (!thumbnail.isEmpty())
        text += thumbnailLine(n, thumbnail) + "\r\n";
    return text;
}

QByteArray closing(const QByteArray &middle, const QString &firstPicture, const QString &slideShowName,
                   const QByteArray &end)
{
    return middle + "\r\n\r\n" + pictureRow(firstPicture) + "\r\n" + captionRow(slideShowName) + "\r\n\r\n\r\n"
        + end + "\r\n\r\n";
}

} // namespace PageText
