// SPDX-License-Identifier: MIT
#include "core/captionfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace {
/** A caption is one line, as the caption box holds it: line breaks and other control characters become blanks. */
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")); // one break, one blank
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    return text;
}
}

QList<QStringList> CaptionFile::rows(const QString &text, QChar separator, bool quoted)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool inQuotes = false, fieldStarted = false;
    const auto endField = [&] {
        row << field;
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (inQuotes) {
            if (c != QLatin1Char('"'))
                field += c;
            else if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"'))
                field += text.at(++i); // "" stands for one quote
            else
                inQuotes = false;
        } else if (quoted && c == QLatin1Char('"') && !fieldStarted) {
            inQuotes = fieldStarted = true;
        } else if (c == separator) {
            endField();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            endField();
            rows << row;
            row.clear();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (fieldStarted || !field.isEmpty() || !row.isEmpty()) {
        endField();
        rows << row;
    }
    // Blank lines say nothing.
    rows.removeIf([](const QStringList &r) { return r.size() == 1 && r.first().trimmed().isEmpty(); });
    return rows;
}

bool CaptionFile::read(const QString &path, const QSet<QString> &photos)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QCoreApplication::translate("CaptionFile", "The captions file \"%1\" cannot be read: %2.").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(file.readAll());
    if (utf8.hasError() || file.error() != QFileDevice::NoError) {
        m_error = QCoreApplication::translate("CaptionFile", "The captions file \"%1\" cannot be read: it is not UTF-8 text.").arg(QDir::toNativeSeparators(path));
        return false;
    }
    // A tab in the first line makes it a TSV file, whose fields are never quoted.
    const QString firstLine = text.left(text.indexOf(QLatin1Char('\n')));
    const bool tabs = firstLine.contains(QLatin1Char('\t'));
    const QList<QStringList> all = rows(text, tabs ? QLatin1Char('\t') : QLatin1Char(','), !tabs);
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QString name = all[i].first().trimmed();
        if (!photos.contains(name)) {
            if (i > 0) // the first row may be a header
                m_unmatched << name;
            continue;
        }
        m_captions.insert(name, all[i].size() > 1 ? oneLine(all[i].at(1)) : QString());
    }
    return true;
}
