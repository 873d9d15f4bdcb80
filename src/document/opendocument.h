// SPDX-License-Identifier: MIT
#pragma once

#include "document/continuedphotos.h"
#include "document/slideshowreader.h"
#include "document/slideshowtemplates.h"
#include "document/targetlock.h"

#include <QHash>
#include <QString>

#include <memory>
#include <optional>

/**
 * What the program keeps about the open slide show beside its stream: the
 * folder it is in, the templates it was begun with, the lock on that folder
 * and the pictures it held before this batch. "Start" leaves a plan here
 * before anything is written; creating the document takes it up.
 */
class OpenDocument
{
public:
    /** How the next document begins, settled before the target is touched. */
    struct Plan {
        std::optional<SlideShowTemplates> templates;
        std::unique_ptr<TargetLock> lock;
        std::optional<SlideShowReader> continued;
    };

    void setPlan(Plan plan) { m_plan = std::move(plan); }
    Plan takePlan();

    /** The document in folder is open now, begun with templates, holding pictures from before. */
    void begin(const QString &folder, const SlideShowTemplates &templates, std::unique_ptr<TargetLock> lock,
               const QList<SlideShowReader::Slide> &pictures);
    /** The document is closed: its folder is free for other batches again. */
    void end();

    const QString &folder() const { return m_folder; }
    const SlideShowTemplates &templates() const { return m_templates; }
    /** The slides the show held before this batch. */
    const QList<ContinuedPhotos::Held> &held() const { return m_held; }
    /** Photos of the source whose copies take another name, the show holding another photo of theirs. */
    void setRenamed(const QHash<QString, QString> &renamed) { m_renamed = renamed; }
    /** The name the copy of the image at path takes in the target; fileName unless renamed. */
    QString copyName(const QString &path, const QString &fileName) const { return m_renamed.value(path, fileName); }
    bool holdsLockOn(const QString &folder) const;
    /** The lock when it is on folder, handed over to the next document there; otherwise nothing. */
    std::unique_ptr<TargetLock> takeLock(const QString &folder);

    static bool sameFolder(const QString &a, const QString &b);

private:
    Plan m_plan;
    QString m_folder;
    SlideShowTemplates m_templates;
    std::unique_ptr<TargetLock> m_lock;
    QList<ContinuedPhotos::Held> m_held;
    QHash<QString, QString> m_renamed;
};

/** The bookkeeping of the open slide show of this run. */
extern OpenDocument openDocument;
