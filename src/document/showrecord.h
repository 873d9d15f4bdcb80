// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class QFileInfo;

/**
 * What a slide show remembers between sittings, kept in a small hidden file
 * beside its page: whether its slides are web-sized, the photos the person
 * skipped and the files this program made for the show. Only a file the
 * record names as made for the show may ever be deleted, so a missing or
 * damaged record simply means nothing is remembered and nothing is deleted.
 */
class ShowRecord
{
public:
    /** A source photo, known by its file name, size and modification time. */
    struct Photo {
        QString name;
        qint64 size = -1;
        QDateTime modified;

        static Photo of(const QFileInfo &file);
        bool operator==(const Photo &other) const;
        /** One text for the three, equal exactly when the photos are: for looking many up at once. */
        QString key() const;
    };

    /** The hidden record beside the page: SlideShow.htm -> .SlideShow.htm.state. */
    static QString pathFor(const QString &pagePath);
    /** The page's record; a missing or damaged one gives an empty record with loaded() false. */
    static ShowRecord load(const QString &pagePath);
    /** Writes the record in one step (temporary file and rename); false when it cannot. */
    bool save(const QString &pagePath) const;
    bool loaded() const { return m_loaded; }

    bool webSized = false;
    QList<Photo> skipped;
    /** File names, relative to the page's folder, that this program made for this show. */
    QStringList made;

    /** True when the record names this file as made for the show: only such a copy may be deleted. */
    bool madeForShow(const QString &fileName) const;
    bool wasSkipped(const Photo &photo) const;
    /** Notes a photo as skipped once. */
    void skip(const Photo &photo);
    /** Notes a copy as made for the show once. */
    void addMade(const QString &fileName);

    /** The record as it is written; its own form so that tests can read it. */
    QByteArray toJson() const;
    /** A record read from that text; loaded() is false when the text is not a record. */
    static ShowRecord fromJson(const QByteArray &text);

private:
    bool m_loaded = false;
};
