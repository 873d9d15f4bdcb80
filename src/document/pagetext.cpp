// SPDX-License-Identifier: MIT
#include "document/pagetext.h"

namespace PageText {

QByteArray scriptString(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    QByteArray out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\'': out += "\\'"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '<': out += "\\x3C"; break;
        default: out += c;
        }
    }
    return out;
}

QByteArray markup(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    QByteArray out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c;
        }
    }
    return out;
}

QByteArray url(const QString &fileName)
{
    return fileName.toUtf8().toPercentEncoding("-._~");
}

QByteArray pictureLine(qint32 n, const QString &fileName)
{
    return "Picture[" + QByteArray::number(n) + "]  = '" + scriptString(fileName) + "'; ";
}

QByteArray captionLine(qint32 n, const QString &caption)
{
    return "Caption[" + QByteArray::number(n) + "] = '" + scriptString(caption) + "' ;";
}

QByteArray pictureRow(const QString &firstPicture)
{
    return "<TD WIDTH='350' HEIGHT='280' COLSPAN='3'> <IMG SRC='" + url(firstPicture)
        + "' NAME='PictureBox' WIDTH='350' HEIGHT='280'> </TD> </TR><TR>";
}

QByteArray captionRow(const QString &slideShowName)
{
    return "<TD ID='CaptionBox' CLASS='Caption' ALIGN='center' COLSPAN='3'> " + markup(slideShowName)
        + " </TD></TR>";
}

} // namespace PageText
