// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <vector>

/**
 * Which photos of the source a continued slide show already holds. A photo
 * whose name a slide of originals already has is compared with that slide's
 * copy in the target (size, then bytes): the same photo is left out, another
 * one is offered under a free name (p1-2.jpg, p1-3.jpg ...), so that it never
 * replaces the show's copy. Web-sized slides are known by name only. Reading
 * the photos can take long, so it runs off the window's thread.
 */
class ContinuedPhotos
{
public:
    /** A photo of the source: its full path and its file name. */
    struct Photo {
        QString path;
        QString name;
    };
    /** A slide the show held before this batch: its copy's name, and whether it is web-sized. */
    struct Held {
        QString name;
        bool webSized = false;
    };
    struct Decision {
        QSet<QString> leftOut;            // full paths of source photos the show already holds
        QHash<QString, QString> renamed;  // source path -> the name its copy takes in the target
    };

    /** True when deciding needs the photos' bytes, so it should run off the window's thread. */
    static bool needsReading(const std::vector<Photo> &photos, const QList<Held> &held, bool webSized);
    /** Decides for each photo; webSized: this batch writes web-sized copies, whose names alone tell. Any thread. */
    static Decision decide(const std::vector<Photo> &photos, const QList<Held> &held,
                           const QString &targetFolder, bool webSized);
};
