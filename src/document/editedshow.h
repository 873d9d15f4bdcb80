// SPDX-License-Identifier: MIT
#pragma once

#include "document/showrecord.h"
#include "document/slideshowtemplates.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

/**
 * A slide show page opened for editing: read whole from a page this program
 * wrote, changed in memory, and written back in one step exactly as a batch
 * would have written the same slides in the same order, with the head, middle
 * and end the page was made with. Reading and writing touch no window, so
 * both can run off the window's thread.
 */
class EditedShow
{
    Q_DECLARE_TR_FUNCTIONS(EditedShow)

public:
    /** One slide: its copy's file name, its caption as typed, its thumbnail's path when web-sized. */
    struct Slide {
        QString picture;
        QString caption;
        QString thumbnail;
        bool operator==(const Slide &) const = default;
    };

    /** The name a page without one is completed with, as a new show is called. */
    static QString defaultName() { return QStringLiteral("My Slide Show"); }

    /**
     * Reads the page at path; templates close a page that was never
     * completed. False, with reason(), for a page this program did not write.
     */
    bool read(const QString &path, const SlideShowTemplates &templates);
    const QString &reason() const { return m_reason; }

    const QString &path() const { return m_path; }
    QString folder() const;
    /** True when the show's slides are web-sized copies, so photos added to it are made web-sized too. */
    bool webSized() const { return m_webSized; }
    void setWebSized(bool on) { m_webSized = on; }

    QList<Slide> slides;
    QString name;

    /** The whole page as it is written for slides and name. */
    QByteArray text() const;
    /**
     * Writes text() over the page in one step (a temporary file beside it,
     * then renamed), then deletes the copies that no slide uses any more
     * and that the show's record names as made for it, and keeps the
     * record up to date. Throws DocumentError, and then the page
     * is as it was and nothing is deleted.
     */
    void save();

    /** Slides for photos copied into the page's folder, and the files made for them, relative to the folder. */
    struct Copies {
        QList<Slide> slides;
        QStringList made;
    };
    /**
     * Copies photos into the page's folder as a batch does, web-sized when
     * the show is, under names that leave the show's other copies alone;
     * their slides have empty captions. Changes nothing of the show, so it
     * can run on a copy off the window's thread; addMade() then takes the
     * files made. Throws DocumentError, and then nothing of them is left.
     */
    Copies copyPhotos(const QStringList &photos) const;
    /** Notes files copyPhotos() made for this editing: saving keeps them if used, discarding removes them. */
    void addMade(const QStringList &made);
    /** Removes the copies this editing made that no saved page uses. */
    void discardCopies();

private:
    /** The names relative to the folder that slides use: copies and thumbnails. */
    static QSet<QString> used(const QList<Slide> &slides);

    QString m_path;
    QString m_reason;
    QByteArray m_head;
    QByteArray m_middle;
    QByteArray m_end;
    bool m_webSized = false;
    /** The slides as the page on disk holds them. */
    QList<Slide> m_saved;
    /** Files this editing made, relative to the folder, that no saved page has used yet. */
    QSet<QString> m_made;
    /** The show's record beside the page: the files made for it, which saving may delete once unused. */
    ShowRecord m_record;
};
