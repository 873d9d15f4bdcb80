// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/executable.h"
#include "imaging/previewstatus.h"

#include <QPointer>
#include <QString>

/**
 * The preview worker: says its image is loading and starts decoding it off
 * the window's thread, for the preview's square at the screen's pixel
 * density; when the picture arrives, or cannot be read, it says so through
 * status. Whoever shows the preview listens there.
 */
class DecObj : public Executable
{
public:
    void init(const QString &str, PreviewStatus *status)
    {
        imagePath = str;
        m_status = status;
    }
    /** Returns as soon as the decode has started. */
    void Execute() override;

private:
    QString imagePath;
    QPointer<PreviewStatus> m_status;
};
