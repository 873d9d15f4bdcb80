// SPDX-License-Identifier: MIT
#include "imaging/prefetcher.h"

#include <QFileInfo>
#include <QtConcurrent>

#include <algorithm>

Prefetcher &Prefetcher::shared()
{
    static Prefetcher prefetcher;
    return prefetcher;
}

std::optional<Prefetcher::Signature> Prefetcher::signatureOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    return Signature{info.size(), info.lastModified()};
}

void Prefetcher::request(const QStringList &paths)
{
    if (!m_enabled)
        return;
    std::vector<Request> kept;
    for (const QString &path : paths.mid(0, Depth)) {
        const auto running = std::find_if(m_requests.begin(), m_requests.end(),
                                          [&path](const Request &r) { return r.path == path; });
        if (running != m_requests.end()) {
            kept.push_back(std::move(*running));
            continue;
        }
        // The signature is taken before reading, so a change during the read shows.
        const std::optional<Signature> signature = signatureOf(path);
        if (!signature)
            continue;
        kept.push_back({path, *signature,
                        QtConcurrent::run([path, target = m_target] { return PreviewLoader::load(path, target); })});
    }
    m_requests = std::move(kept);
}

std::optional<PreviewLoader::Picture> Prefetcher::take(const QString &path)
{
    const auto found = std::find_if(m_requests.begin(), m_requests.end(),
                                    [&path](const Request &r) { return r.path == path; });
    if (found == m_requests.end())
        return std::nullopt;
    Request request = std::move(*found);
    m_requests.erase(found);
    std::optional<PreviewLoader::Picture> picture = request.future.result();
    if (signatureOf(path) != request.signature || (picture && picture->target != m_target))
        return std::nullopt;
    return picture;
}

void Prefetcher::drop()
{
    m_requests.clear();
}

void Prefetcher::setEnabled(bool on)
{
    m_enabled = on;
    if (!on)
        drop();
}

QStringList Prefetcher::pendingPaths() const
{
    QStringList paths;
    for (const Request &request : m_requests)
        paths << request.path;
    return paths;
}
