// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/prefetcher.h"

#include <QFuture>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

class ReplacingFile;

/**
 * Writes web-sized copies of the photos a batch adds: a JPEG that fits in
 * 2048 x 2048, upright, in sRGB, with its capture date, plus a 320 px
 * thumbnail and a 640 px one for screens of twice the density. The copy of the image on show is made in the background as soon
 * as its preview is painted, into hidden temporary files in the target, so
 * that Add only renames finished files into place and never waits for a
 * resize it could have had ready. Copies are made as the prefetcher's batch
 * work, whose decodes keep to the preview's budgets and share one memory
 * budget; a photo the preview could not show is never decoded for them.
 * Every write is checked: a copy that cannot be written whole adds nothing.
 * When the target is the photos' own folder, the copies go into a folder
 * beside the page, so that the originals are never touched.
 */
class WebCopy
{
public:
    static constexpr int LongSide = 2048;
    static constexpr int ThumbnailSide = 320;
    static constexpr int Thumbnail2xSide = 640;
    static constexpr int Quality = 85;

    /** What was put into the target: names relative to the target folder. */
    struct Placed {
        QString fileName; // the copy's path relative to the target, as the page names it
        QString thumbnail;
        /** Full paths of the files that were not there before, which taking the entry back removes. */
        QStringList created;
    };

    /** The one instance the batch uses. */
    static WebCopy &shared();

    WebCopy();
    ~WebCopy();
    WebCopy(const WebCopy &) = delete;
    WebCopy &operator=(const WebCopy &) = delete;

    /** Starts a batch: web-sized copies when on, nothing but forgetting the last batch when off. */
    void begin(bool on, const QString &sourceFolder, const QString &targetFolder);
    bool isOn() const { return m_on; }
    /** The image now on show is loading: a copy made for another image is dropped. */
    void prepare(const QString &imagePath);
    /** The preview of the image on show is painted: its copy is started. */
    void previewed(const QString &imagePath);
    /**
     * Starts the copy of a photo that will be added after the one on show, so
     * that a batch with no one looking makes several at once; place() takes
     * it. The future tells when it is made or has failed.
     */
    QFuture<void> ahead(const QString &imagePath);
    /** Drops the copy started ahead for the photo, which will not be added after all. */
    void forget(const QString &imagePath);
    /** The image whose copy is being made in the background; empty when none is. */
    QString preparing() const;
    /** Drops the copy being made, if any, and its temporary files. */
    void discard();
    /** Drops the copy being made and waits until nothing more is written. */
    void finish();
    /**
     * Puts the web-sized copy of the image into the target, waiting for it if
     * it is not ready yet; both files are complete under their names when
     * this returns. Throws DocumentError, with the system's reason when a
     * write failed, and for a photo over the decoding budgets; then nothing
     * of it is left in the target.
     */
    Placed place(const QString &imagePath);

    /** The folder of the target that holds the thumbnails. */
    static QString thumbnailFolder() { return QStringLiteral("SlideShow-thumbnails"); }
    /** The folder of the target that holds the copies when the target is the photos' own folder. */
    static QString photoFolder() { return QStringLiteral("SlideShow-photos"); }
    /**
     * The name the copy of an image takes in the target: JPEG and GIF names
     * stay; a BMP becomes name.jpg, or name-bmp.jpg, name-bmp-2.jpg and so on
     * when that is the name of a file in the source or target folder or of
     * another photo of this batch.
     */
    QString targetName(const QString &imagePath);
    /**
     * The thumbnail's path relative to the target: SlideShow-thumbnails/ and
     * the copy's name, with .jpg added when it is no JPEG. A name too long for
     * the file system is cut short, keeping its extensions, and numbered -2,
     * -3 and so on when the cut name is taken.
     */
    QString thumbnailName(const QString &imagePath);
    /**
     * The 640 px thumbnail's path for a thumbnail's path: the same name in the
     * folder 2x inside the thumbnails' folder. The page finds it the same way.
     */
    static QString thumbnail2xName(const QString &thumbnail);

private:
    struct Job;
    std::shared_ptr<Job> start(const QString &imagePath);
    static void make(Job &job, const Prefetcher::BatchDecode &decode, std::unique_ptr<ReplacingFile> &copy,
                     std::unique_ptr<ReplacingFile> &thumbnail, std::unique_ptr<ReplacingFile> &thumbnail2x,
                     QString &error);
    static void drop(const std::shared_ptr<Job> &job);

    /** The copy's path relative to the target: its name, inside the photo folder when there is one. */
    QString copyPath(const QString &imagePath);

    bool m_on = false;
    bool m_intoPhotoFolder = false;
    QString m_sourceFolder;
    QString m_targetFolder;
    QHash<QString, QString> m_names;
    QSet<QString> m_namesTaken;
    QHash<QString, QString> m_thumbnails;
    QSet<QString> m_thumbnailsTaken;
    QString m_shown;
    std::shared_ptr<Job> m_job;
    QHash<QString, std::shared_ptr<Job>> m_ahead;
    /** Every copy begun, dropped ones included, until it has finished. */
    QList<QFuture<void>> m_running;
};
