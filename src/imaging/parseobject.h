// SPDX-License-Identifier: MIT
#pragma once

#include "commands/workitem.h"
#include "imaging/previewstatus.h"

#include <QPointer>
#include <QString>

/** The work item for one image: running it previews the image, reporting to status. */
class ParseObject : public WorkItem
{
public:
    void init(const QString &str, PreviewStatus *status)
    {
        imagePath = str;
        m_status = status;
    }
    /** Previews the image through a fresh decorator and preview worker. */
    void Execute();

    const QString &path() const { return imagePath; }

private:
    QString imagePath;
    QPointer<PreviewStatus> m_status;
};
