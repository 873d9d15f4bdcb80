// SPDX-License-Identifier: MIT
#include "modes/batchsteps.h"

#include "commands/workitem.h"
#include "document/slideshow.h"

#include <algorithm>

void BatchSteps::clear()
{
    m_steps.clear();
    m_current = {};
}

void BatchSteps::showing(std::shared_ptr<WorkItem> item)
{
    m_current = {};
    m_current.item = std::move(item);
}

void BatchSteps::added(qint64 offset, const QString &caption, const QStringList &createdCopies)
{
    if (!m_current.item)
        return;
    m_current.added = true;
    m_current.offset = offset;
    m_current.caption = caption;
    m_current.createdCopies = createdCopies;
}

void BatchSteps::passed()
{
    if (m_current.item)
        m_steps.push_back(std::move(m_current));
    m_current = {};
}

BatchSteps::Step BatchSteps::takeBack(SlideShow &show)
{
    Step step = m_steps.back();
    if (step.added)
        show.takeBack(step.offset); // which removes the copies made for it

    m_steps.pop_back();
    m_current = {};
    return step;
}

int BatchSteps::addedCount() const
{
    return int(std::count_if(m_steps.begin(), m_steps.end(), [](const Step &step) { return step.added; }));
}
