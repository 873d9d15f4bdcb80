// SPDX-License-Identifier: MIT
#include "imaging/prefetcher.h"

#include <QFileInfo>
#include <QtConcurrent>

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

void Prefetcher::request(const QString &path)
{
    drop();
    if (!m_enabled)
        return;
    // The signature is taken before reading, so a change during the read shows.
    m_signature = signatureOf(path);
    if (!m_signature)
        return;
    m_path = path;
    m_future = QtConcurrent::run([path] { return PreviewLoader::load(path); });
}

std::optional<PreviewLoader::Picture> Prefetcher::take(const QString &path)
{
    if (m_path.isEmpty() || path != m_path) {
        drop();
        return std::nullopt;
    }
    std::optional<PreviewLoader::Picture> picture = m_future.result();
    const bool unchanged = m_signature && signatureOf(path) == m_signature;
    drop();
    if (!unchanged)
        return std::nullopt;
    return picture;
}

void Prefetcher::drop()
{
    m_path.clear();
    m_signature.reset();
    m_future = {};
}

void Prefetcher::setEnabled(bool on)
{
    m_enabled = on;
    if (!on)
        drop();
}
