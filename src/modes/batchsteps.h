// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>
#include <vector>

class SlideShow;
class WorkItem;

/**
 * The images a batch has passed, oldest first, with what adding each one wrote,
 * so that Back can take the newest step back exactly: the document cut back to
 * where its entry began, the slide counter lowered, and the copy removed if this
 * show made it.
 */
class BatchSteps
{
public:
    struct Step {
        std::shared_ptr<WorkItem> item;
        bool added = false;
        qint64 offset = 0;   // the document's size before the entry
        QString caption;     // as written into the entry
        QStringList createdCopies; // the files this batch created in the target for the entry
    };

    /** A new batch: nothing passed, nothing on show. */
    void clear();
    /** The item now on show. */
    void showing(std::shared_ptr<WorkItem> item);
    std::shared_ptr<WorkItem> current() const { return m_current.item; }
    /** True when the item on show has been added. */
    bool currentAdded() const { return m_current.added; }
    /** The item on show has been added: its entry starts at offset. */
    void added(qint64 offset, const QString &caption, const QStringList &createdCopies);
    /** Moving on: the item on show becomes the newest step and nothing is on show. */
    void passed();

    bool canGoBack() const { return m_current.item && !m_steps.empty(); }
    /**
     * Takes the newest step back out of show's page and the target folder and
     * returns it; the item on show is forgotten. Throws DocumentError, and then
     * changes nothing.
     */
    Step takeBack(SlideShow &show);

    /** Images passed so far, added or skipped. */
    int count() const { return int(m_steps.size()); }
    int addedCount() const;

private:
    std::vector<Step> m_steps;
    Step m_current;
};
