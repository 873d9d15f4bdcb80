// SPDX-License-Identifier: MIT
#include "document/slideshowreader.h"

#include "document/slideshowtemplates.h"

#include <QFile>
#include <QFileInfo>

namespace {
// Far more than any page of photos and captions; a bigger file is not ours.
constexpr qint64 LargestPage = qint64(256) * 1024 * 1024;

// The fixed parts of what the writer puts around the file names, captions and the name.
constexpr char EntryStart[] = "\r\n\r\nPicture[";
constexpr char PictureRowStart[] = "\r\n\r\n<TD WIDTH='350' HEIGHT='280' COLSPAN='3'> <IMG SRC='";
constexpr char PictureRowEnd[] = "' NAME='PictureBox' WIDTH='350' HEIGHT='280'> </TD> </TR><TR>\r\n"
                                 "<TD ID='CaptionBox' CLASS='Caption' ALIGN='center' COLSPAN='3'> ";
constexpr char CaptionRowEnd[] = " </TD></TR>\r\n";

int hexValue(QByteArrayView digits)
{
    bool ok = false;
    const int value = QByteArray(digits.data(), digits.size()).toInt(&ok, 16);
    return ok ? value : -1;
}

/** The text of a single-quoted script string, as the browser reads it; nothing for a broken escape. */
std::optional<QString> unescapeScript(QByteArrayView text)
{
    QString out;
    QByteArray run; // bytes between escapes, decoded together so that no character is split
    const auto flush = [&] {
        out += QString::fromLocal8Bit(run);
        run.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            run += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        flush();
        const char c = text[i];
        switch (c) {
        case 'n': out += QLatin1Char('\n'); break;
        case 'r': out += QLatin1Char('\r'); break;
        case 't': out += QLatin1Char('\t'); break;
        case 'b': out += QLatin1Char('\b'); break;
        case 'f': out += QLatin1Char('\f'); break;
        case 'v': out += QLatin1Char('\v'); break;
        case '0': out += QChar(0); break;
        case 'x':
        case 'u': {
            const qsizetype digits = c == 'x' ? 2 : 4;
            const int value = i + digits < text.size() ? hexValue(text.sliced(i + 1, digits)) : -1;
            if (value < 0)
                return std::nullopt;
            out += QChar(char16_t(value));
            i += digits;
            break;
        }
        default:
            run += c; // \\, \' and any other character stand for themselves
        }
    }
    flush();
    return out;
}

/** The text of markup with &, < and > escaped. */
QString unescapeMarkup(QByteArrayView text)
{
    QByteArray bytes(text.data(), text.size());
    bytes.replace("&lt;", "<").replace("&gt;", ">").replace("&amp;", "&");
    return QString::fromLocal8Bit(bytes);
}

/** The quoted value of a line "<start>value<end>", or nothing when the line has another shape. */
std::optional<QString> quoted(QByteArrayView line, QByteArrayView start, QByteArrayView end)
{
    if (line.size() < start.size() + end.size() || !line.startsWith(start) || !line.endsWith(end))
        return std::nullopt;
    return unescapeScript(line.sliced(start.size(), line.size() - start.size() - end.size()));
}
}

bool SlideShowReader::refuse(const QString &reason)
{
    m_reason = reason;
    m_slides.clear();
    m_name.reset();
    m_kept.clear();
    return false;
}

bool SlideShowReader::read(const QString &path, const SlideShowTemplates &templates)
{
    const QFileInfo info(path);
    if (info.isDir())
        return refuse(QStringLiteral("it is a folder"));
    if (!info.isFile())
        return refuse(QStringLiteral("it is not an ordinary file"));
    if (info.size() > LargestPage)
        return refuse(QStringLiteral("it is far larger than any page this program writes"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(QStringLiteral("it cannot be read (%1)").arg(file.errorString()));
    const QByteArray page = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return refuse(QStringLiteral("it cannot be read (%1)").arg(file.errorString()));
    return parse(page, templates);
}

bool SlideShowReader::parse(const QByteArray &page, const SlideShowTemplates &templates)
{
    refuse(QString());
    if (page.isEmpty())
        return refuse(QStringLiteral("it is empty"));

    // The head is whatever precedes the first entry: a page begun with other
    // templates keeps its own. A page without entries must begin with ours.
    qsizetype pos = page.indexOf(QByteArray(EntryStart) + "1]  = '");
    if (pos < 0) {
        const QByteArray head = templates.head + "\r\n";
        if (!page.startsWith(head))
            return refuse(QStringLiteral("it does not begin with the page head this program writes"));
        pos = head.size();
    }
    while (QByteArrayView(page).sliced(pos).startsWith(EntryStart)) {
        if (!readEntry(page, pos))
            return false;
    }
    m_kept = page.left(pos);
    if (pos == page.size())
        return true; // unfinished: head and entries only

    const qsizetype rows = page.indexOf(PictureRowStart, pos);
    const qsizetype strayEntry = page.indexOf(EntryStart, pos);
    if (rows >= 0 && (strayEntry < 0 || strayEntry > rows))
        return readClosingRows(page, rows);
    // Cut short while the closing part was being written.
    if ((templates.middle + PictureRowStart).startsWith(QByteArrayView(page).sliced(pos)))
        return true;
    return refuse(m_slides.isEmpty() ? QStringLiteral("after its head it holds text that this program does not write")
                                     : QStringLiteral("after slide %1 it holds text that this program does not write")
                                           .arg(m_slides.size()));
}

bool SlideShowReader::readEntry(const QByteArray &page, qsizetype &pos)
{
    const qsizetype n = m_slides.size() + 1;
    const QByteArray number = QByteArray::number(n);
    const qsizetype pictureEnd = page.indexOf("\r\n", pos + 4);
    const qsizetype captionEnd = pictureEnd < 0 ? -1 : page.indexOf("\r\n", pictureEnd + 2);
    if (captionEnd < 0)
        return refuse(QStringLiteral("slide %1 is cut short").arg(n));

    const QByteArrayView view(page);
    const std::optional<QString> picture
        = quoted(view.sliced(pos + 4, pictureEnd - pos - 4), QByteArray("Picture[" + number + "]  = '"), "'; ");
    const std::optional<QString> caption
        = quoted(view.sliced(pictureEnd + 2, captionEnd - pictureEnd - 2), QByteArray("Caption[" + number + "] = '"), "' ;");
    if (!picture || !caption || picture->isEmpty())
        return refuse(QStringLiteral("slide %1 is not written the way this program writes slides").arg(n));
    m_slides.append({*picture, *caption});
    pos = captionEnd + 2;

    // A show made with web-sized photos names each slide's thumbnail on a third line.
    const QByteArray thumbnailStart = "Thumbnail[" + number + "] = '";
    if (view.sliced(pos).startsWith(thumbnailStart)) {
        const qsizetype thumbnailEnd = page.indexOf("\r\n", pos);
        if (thumbnailEnd < 0 || !quoted(view.sliced(pos, thumbnailEnd - pos), thumbnailStart, "';"))
            return refuse(QStringLiteral("slide %1 is not written the way this program writes slides").arg(n));
        pos = thumbnailEnd + 2;
    }
    return true;
}

bool SlideShowReader::readClosingRows(const QByteArray &page, qsizetype pos)
{
    const qsizetype source = pos + qsizetype(sizeof PictureRowStart) - 1;
    const qsizetype sourceEnd = page.indexOf(PictureRowEnd, source);
    const qsizetype name = sourceEnd + qsizetype(sizeof PictureRowEnd) - 1;
    const qsizetype nameEnd = sourceEnd < 0 ? -1 : page.indexOf(CaptionRowEnd, name);
    const QByteArrayView view(page);
    if (nameEnd < 0 || view.sliced(source, sourceEnd - source).contains('\'')
        || view.sliced(name, nameEnd - name).contains('\n'))
        return refuse(QStringLiteral("its closing rows are not written the way this program writes them"));
    m_name = unescapeMarkup(view.sliced(name, nameEnd - name));
    return true;
}
