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

/** True for text with no line break, but for a CR at its very end. */
bool noLineBreak(QByteArrayView text)
{
    if (text.endsWith('\r'))
        text.chop(1);
    return !text.contains('\r') && !text.contains('\n');
}

/** True when text is a line that begins with start and was cut before its CR LF. */
bool cutLine(QByteArrayView text, QByteArrayView start)
{
    return (text.startsWith(start) || start.startsWith(text)) && noLineBreak(text);
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
    m_headSize = 0;
    m_middle.reset();
    m_end.reset();
    m_cut = false;
    return false;
}

bool SlideShowReader::read(const QString &path, const SlideShowTemplates &templates)
{
    const QFileInfo info(path);
    if (info.isDir())
        return refuse(tr("it is a folder"));
    if (!info.isFile())
        return refuse(tr("it is not an ordinary file"));
    if (info.size() > LargestPage)
        return refuse(tr("it is far larger than any page this program writes"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(tr("it cannot be read (%1)").arg(file.errorString()));
    const QByteArray page = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return refuse(tr("it cannot be read (%1)").arg(file.errorString()));
    return parse(page, templates);
}

bool SlideShowReader::parse(const QByteArray &whole, const SlideShowTemplates &templates)
{
    refuse(QString());
    if (whole.isEmpty())
        return refuse(tr("it is empty"));
    // A crash while the page was written can leave it longer than what
    // reached it, the rest NUL bytes; and a page cut short at any byte is
    // continued with the slides that were written whole.
    qsizetype length = whole.size();
    while (length > 0 && whole[length - 1] == '\0')
        --length;
    if (length == 0)
        return refuse(tr("it holds nothing but NUL bytes"));
    const bool padded = length < whole.size();
    const QByteArray page = whole.left(length);
    const QByteArrayView view(page);

    // The head is whatever precedes the first entry: a page begun with other
    // templates keeps its own. A page without entries must begin with ours.
    qsizetype pos = page.indexOf(QByteArray(EntryStart) + "1]  = '");
    if (pos < 0) {
        const QByteArray head = templates.head + "\r\n";
        if (head.startsWith(page)) {
            m_kept = head;
            m_headSize = head.size();
            m_cut = padded || page != head;
            return true;
        }
        if (!page.startsWith(head))
            return refuse(tr("it does not begin with the page head this program writes"));
        pos = head.size();
    }
    m_headSize = pos;
    while (view.sliced(pos).startsWith(EntryStart)) {
        const qsizetype start = pos;
        const Entry entry = readEntry(page, pos);
        if (entry == Entry::Broken)
            return false;
        if (entry == Entry::Cut) {
            m_kept = page.left(start);
            m_cut = true;
            return true;
        }
    }
    m_kept = page.left(pos);
    m_cut = padded;
    const QByteArrayView rest = view.sliced(pos);
    if (rest.isEmpty())
        return true; // unfinished: head and entries only
    if (QByteArrayView(EntryStart).startsWith(rest)) {
        m_cut = true; // cut in the blank lines before an entry
        return true;
    }

    const qsizetype rows = page.indexOf(PictureRowStart, pos);
    const qsizetype strayEntry = page.indexOf(EntryStart, pos);
    if (rows >= 0 && (strayEntry < 0 || strayEntry > rows)) {
        m_middle = page.mid(pos, rows - pos);
        return readClosingRows(page, rows);
    }
    // Cut short while the closing part was being written.
    if ((templates.middle + PictureRowStart).startsWith(rest)) {
        m_cut = true;
        return true;
    }
    return refuse(m_slides.isEmpty() ? tr("after its head it holds text that this program does not write")
                                     : tr("after slide %1 it holds text that this program does not write")
                                           .arg(m_slides.size()));
}

SlideShowReader::Entry SlideShowReader::readEntry(const QByteArray &page, qsizetype &pos)
{
    const qsizetype n = m_slides.size() + 1;
    const QByteArray number = QByteArray::number(n);
    const QByteArray pictureStart = "Picture[" + number + "]  = '";
    const QByteArray captionStart = "Caption[" + number + "] = '";
    const QByteArray thumbnailStart = "Thumbnail[" + number + "] = '";
    const auto broken = [this, n] {
        refuse(tr("slide %1 is not written the way this program writes slides").arg(n));
        return Entry::Broken;
    };
    // A line that runs to the end of the page without its CR LF was cut there.
    const auto cutOrBroken = [&](QByteArrayView line, QByteArrayView start) {
        return cutLine(line, start) ? Entry::Cut : broken();
    };

    const QByteArrayView view(page);
    const qsizetype pictureAt = pos + 4;
    const qsizetype pictureEnd = page.indexOf("\r\n", pictureAt);
    if (pictureEnd < 0)
        return cutOrBroken(view.sliced(pictureAt), pictureStart);
    const std::optional<QString> picture = quoted(view.sliced(pictureAt, pictureEnd - pictureAt), pictureStart, "'; ");
    if (!picture || picture->isEmpty())
        return broken();

    const qsizetype captionAt = pictureEnd + 2;
    const qsizetype captionEnd = page.indexOf("\r\n", captionAt);
    if (captionEnd < 0)
        return cutOrBroken(view.sliced(captionAt), captionStart);
    const std::optional<QString> caption = quoted(view.sliced(captionAt, captionEnd - captionAt), captionStart, "' ;");
    if (!caption)
        return broken();
    qsizetype end = captionEnd + 2;

    // A show made with web-sized photos names each slide's thumbnail on a third line.
    const QByteArrayView rest = view.sliced(end);
    const bool webSized = rest.startsWith(thumbnailStart);
    std::optional<QString> thumbnail;
    if (webSized) {
        const qsizetype thumbnailEnd = page.indexOf("\r\n", end);
        if (thumbnailEnd < 0)
            return cutOrBroken(rest, thumbnailStart);
        thumbnail = quoted(view.sliced(end, thumbnailEnd - end), thumbnailStart, "';");
        if (!thumbnail)
            return broken();
        end = thumbnailEnd + 2;
    } else if (!rest.isEmpty() && QByteArrayView(thumbnailStart).startsWith(rest)) {
        return Entry::Cut; // the slide's thumbnail line was being written
    }
    m_slides.append({*picture, *caption, webSized, thumbnail.value_or(QString()), pos});
    pos = end;
    return Entry::Complete;
}

bool SlideShowReader::readClosingRows(const QByteArray &page, qsizetype pos)
{
    const QByteArrayView view(page);
    const qsizetype source = pos + qsizetype(sizeof PictureRowStart) - 1;
    const qsizetype sourceEnd = page.indexOf(PictureRowEnd, source);
    if (sourceEnd < 0) {
        // Cut inside the picture row, or before the caption row's name.
        const qsizetype quote = page.indexOf('\'', source);
        const bool cut = quote < 0 ? noLineBreak(view.sliced(source))
                                   : noLineBreak(view.sliced(source, quote - source))
                && QByteArrayView(PictureRowEnd).startsWith(view.sliced(quote));
        if (!cut)
            return refuse(tr("its closing rows are not written the way this program writes them"));
        m_cut = true;
        return true;
    }
    const qsizetype name = sourceEnd + qsizetype(sizeof PictureRowEnd) - 1;
    const qsizetype nameEnd = page.indexOf(CaptionRowEnd, name);
    if (view.sliced(source, sourceEnd - source).contains('\''))
        return refuse(tr("its closing rows are not written the way this program writes them"));
    if (nameEnd < 0) {
        // Cut inside the caption row: the name may be incomplete, so it is not taken.
        if (!noLineBreak(view.sliced(name)))
            return refuse(tr("its closing rows are not written the way this program writes them"));
        m_cut = true;
        return true;
    }
    if (view.sliced(name, nameEnd - name).contains('\n'))
        return refuse(tr("its closing rows are not written the way this program writes them"));
    m_name = unescapeMarkup(view.sliced(name, nameEnd - name));
    // The end template stands between two pairs of empty lines; a page that ends otherwise keeps no end of its own.
    const QByteArrayView tail = view.sliced(nameEnd + qsizetype(sizeof CaptionRowEnd) - 1);
    if (tail.size() >= 8 && tail.startsWith("\r\n\r\n") && tail.endsWith("\r\n\r\n"))
        m_end = tail.sliced(4, tail.size() - 8).toByteArray();
    else
        m_middle.reset();
    return true;
}
