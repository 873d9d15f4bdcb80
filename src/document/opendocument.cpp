// SPDX-License-Identifier: MIT
#include "document/opendocument.h"

#include <QFileInfo>

OpenDocument openDocument;

OpenDocument::Plan OpenDocument::takePlan()
{
    Plan plan = std::move(m_plan);
    m_plan = Plan();
    return plan;
}

void OpenDocument::begin(const QString &folder, const SlideShowTemplates &templates, std::unique_ptr<TargetLock> lock,
                         const QList<SlideShowReader::Slide> &pictures)
{
    m_folder = folder;
    m_templates = templates;
    m_lock = std::move(lock);
    m_held.clear();
    m_renamed.clear();
    for (const SlideShowReader::Slide &slide : pictures)
        m_held.append({slide.picture, slide.webSized});
}

void OpenDocument::end()
{
    m_lock.reset();
    m_held.clear();
    m_renamed.clear();
}

bool OpenDocument::sameFolder(const QString &a, const QString &b)
{
    if (a == b)
        return true;
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

bool OpenDocument::holdsLockOn(const QString &folder) const
{
    return m_lock && sameFolder(m_lock->folder(), folder);
}

std::unique_ptr<TargetLock> OpenDocument::takeLock(const QString &folder)
{
    return holdsLockOn(folder) ? std::move(m_lock) : nullptr;
}
