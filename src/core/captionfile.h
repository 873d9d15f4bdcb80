// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

/**
 * Captions kept in a spreadsheet: a CSV (commas, fields in double quotes
 * where they hold commas, quotes or line breaks) or a TSV (tabs) file of
 * rows "file name, caption", in UTF-8. The first row may be a header: it is
 * when its first field names no photo.
 */
class CaptionFile
{
public:
    /** Reads path; false with error set when it cannot be read or is not UTF-8. */
    bool read(const QString &path, const QSet<QString> &photos);
    /** The caption of the photo with this file name; empty when the file gives none. */
    QString caption(const QString &fileName) const { return m_captions.value(fileName); }
    /** Rows that name no photo of the source, to be told. */
    const QStringList &unmatched() const { return m_unmatched; }
    const QString &error() const { return m_error; }

    /** The rows of text, fields split at separator, with CSV quoting when quoted. */
    static QList<QStringList> rows(const QString &text, QChar separator, bool quoted);

private:
    QHash<QString, QString> m_captions;
    QStringList m_unmatched;
    QString m_error;
};
