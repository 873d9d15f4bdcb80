// SPDX-License-Identifier: MIT
#include "imaging/previewstatus.h"

#include "imaging/prefetcher.h"

bool PreviewStatus::isLoading() const
{
    return m_loading && Prefetcher::shared().isBusy();
}

void PreviewStatus::setLoading(const QString &path)
{
    m_loading = true;
    m_path = path;
    emit loading(path);
}

void PreviewStatus::setArrived(const std::optional<PreviewLoader::Picture> &picture)
{
    m_loading = false;
    emit arrived(m_path, picture);
}
