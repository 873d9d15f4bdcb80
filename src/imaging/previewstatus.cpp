// SPDX-License-Identifier: MIT
#include "imaging/previewstatus.h"

#include "imaging/prefetcher.h"

PreviewStatus *PreviewStatus::instance()
{
    static PreviewStatus status;
    return &status;
}

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

void PreviewStatus::setPainted(const PreviewLoader::Picture &picture)
{
    m_loading = false;
    emit painted(m_path, picture);
}

void PreviewStatus::setFailed()
{
    m_loading = false;
    emit failed(m_path);
}
