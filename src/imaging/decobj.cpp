// SPDX-License-Identifier: MIT
#include "imaging/decobj.h"

#include "imaging/prefetcher.h"
#include "imaging/previewstatus.h"

void DecObj::Execute()
{
    if (!m_status)
        return;
    m_status->setLoading(imagePath);
    PreviewStatus *status = m_status;
    Prefetcher::shared().show(imagePath, status,
                              [status](const Prefetcher::Result &picture) { status->setArrived(picture); });
}
