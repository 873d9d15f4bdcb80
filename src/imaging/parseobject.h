// SPDX-License-Identifier: MIT
#pragma once

#include "commands/workitem.h"

#include <QString>

/** The work item for one image: running it previews the image in the main window. */
class ParseObject : public WorkItem
{
public:
    void init(const QString &str) { imagePath = str; }
    /** Previews the image through a fresh decorator and preview worker. */
    void Execute();

    const QString &path() const { return imagePath; }

private:
    QString imagePath;
};
