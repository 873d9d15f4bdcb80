// SPDX-License-Identifier: MIT
#pragma once

#include "document/continuedphotos.h"
#include "document/showrecord.h"
#include "document/slideshowreader.h"
#include "document/slideshowtemplates.h"
#include "document/targetlock.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

class TextStream;

/** The file name of the slide show document in the target folder. */
inline constexpr char SlideShowFileName[] = "SlideShow.htm";

/**
 * The slide show page of this run on disk, and everything the program keeps
 * about it: its stream, the lock on its folder, the templates it was begun
 * with, its entries with where each begins, its first picture and whether it
 * was completed. Every write to the page goes through it; it knows no window,
 * so a batch can drive it without one.
 */
class SlideShow
{
    Q_DECLARE_TR_FUNCTIONS(SlideShow)

public:
    /** How the next page begins, settled by "Start" before the target is touched. */
    struct Plan {
        std::optional<SlideShowTemplates> templates;
        std::unique_ptr<TargetLock> lock;
        std::optional<SlideShowReader> continued;
        ShowRecord record;       // the continued show's record
        bool keepOld = false;    // a page there is replaced: it is kept under another name first
    };

    /** One slide of the page; offset is where its entry begins. */
    struct Entry {
        QString picture;
        QString caption;
        QString thumbnail;
        qint64 offset = -1;
    };

    SlideShow();
    ~SlideShow();
    SlideShow(const SlideShow &) = delete;
    SlideShow &operator=(const SlideShow &) = delete;

    void setPlan(Plan plan) { m_plan = std::move(plan); }
    /** The size a continued show keeps (true: web-sized); nothing when the person chooses. */
    std::optional<bool> plannedWebSized() const;

    /**
     * Creates SlideShow.htm in folder: the head template, or the head and
     * entries of the slide show that "Start" chose to continue. The templates
     * are read first, and the page is written beside the old one and renamed
     * over it, so a failure leaves the old page as it was. A page still open
     * in another folder is completed first with stoppedName as its name, one
     * in this folder closed. A page that is replaced is first kept under a
     * name of its own, and the person told. webSized: the show's copies are
     * web-sized, as its record says from now on. Throws DocumentError.
     */
    void create(const QString &folder, const QString &stoppedName, bool webSized = false);
    /** The name of the slide show just continued, when its page has one; the window shows it. */
    const std::optional<QString> &continuedName() const { return m_continuedName; }

    /** Throws DocumentError, as the entry's write would, when no page is open or it is not the file written. */
    void checkWritable() const;
    /**
     * Appends the entry's Picture, Caption and (with a thumbnail) Thumbnail
     * lines and returns where they begin. Throws DocumentError, and then the
     * page, the counter and the first picture are as they were.
     */
    qint64 append(const QString &picture, const QString &caption, const QString &thumbnail = QString());
    /**
     * Cuts the page back to offset, where the newest entry begins, and forgets
     * that entry; its files go when the record names them as made for the
     * show and no other slide uses them. Throws DocumentError, changing nothing.
     */
    void takeBack(qint64 offset);

    /** Writes the middle template, the picture row and the caption row with name, and the end template, then closes the page. */
    void complete(const QString &name);
    /** Closes the open page, if any, keeping everything written so far. Never throws. */
    void close();
    /**
     * Ends a batch stopped before its last image: the open page, if any, is
     * completed with name so that it plays with the slides it holds, or says
     * it has none. Throws DocumentError, and the page is closed all the same.
     */
    void stop(const QString &name);

    bool isOpen() const;
    /** The path of the page of the current or last batch; empty before the first. */
    QString path() const;
    /** The folder that page is in: the batch's copies go there. */
    QString folder() const;
    /** True when that page was completed and is still where it was written. */
    bool ready() const;

    /** The slide number of the last entry written; runs across pages until reset. */
    qint32 slideCount() const { return m_slideCount; }
    /** A batch starts or work is closed: the next entry is number 1. */
    void resetCount() { m_slideCount = 0; }
    /** The file name of the image whose entry took number 1 in the current page. */
    const QString &firstPicture() const { return m_firstPicture; }
    /** The slides of the current page, held from before and added since, in page order. */
    const QList<Entry> &entries() const { return m_entries; }

    /** What the show remembers between sittings. */
    const ShowRecord &record() const { return m_record; }
    /** The person skipped the photo at path: a later sitting does not offer it again. */
    void noteSkipped(const QString &path);
    /** The skip was taken back: the photo at path is offered again. */
    void forgetSkipped(const QString &path);
    /** The files at paths were made for the entry just appended. */
    void noteMade(const QStringList &paths);

    /** The slides the show held before this batch. */
    const QList<ContinuedPhotos::Held> &held() const { return m_held; }
    /** Photos of the source whose copies take another name, the show holding another photo of theirs. */
    void setRenamed(const QHash<QString, QString> &renamed) { m_renamed = renamed; }
    /** The name the copy of the image at path takes in the target; fileName unless renamed. */
    QString copyName(const QString &path, const QString &fileName) const { return m_renamed.value(path, fileName); }
    /** True while this show's lock is on folder. */
    bool holdsLockOn(const QString &folder) const;

    static bool sameFolder(const QString &a, const QString &b);

private:
    /** The page is closed: its folder is free for other batches again. */
    void release();
    /** Keeps the page at path under a free name "SlideShow (replaced <date>).htm", with its record. */
    void keepOldPage(const QString &path);
    /** Deletes the entry's copies that the record names as made for the show and no slide uses; the record forgets them. */
    void removeCopies(const Entry &entry);
    void saveRecord();

    std::unique_ptr<TextStream> m_stream;
    qint32 m_slideCount = 0;
    QString m_firstPicture;
    bool m_completed = false;
    QList<Entry> m_entries;
    std::optional<QString> m_continuedName;
    Plan m_plan;
    QString m_folder;
    SlideShowTemplates m_templates;
    std::unique_ptr<TargetLock> m_lock;
    QList<ContinuedPhotos::Held> m_held;
    QHash<QString, QString> m_renamed;
    ShowRecord m_record;
};
