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

Prefetcher::Prefetcher()
{
    // Room for a new image while a decode the user has left still winds down.
    m_currentPool.setMaxThreadCount(3);
    m_aheadPool.setMaxThreadCount(1);
}

std::optional<Prefetcher::Signature> Prefetcher::signatureOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    return Signature{info.size(), info.lastModified()};
}

void Prefetcher::show(const QString &path, QObject *context, std::function<void(const Result &)> done)
{
    decodeCurrent(path, context, std::move(done), m_enabled);
}

void Prefetcher::decodeCurrent(const QString &path, QObject *context, std::function<void(const Result &)> done,
                               bool mayAdopt)
{
    const quint64 generation = ++m_generation;
    if (m_currentCancelled)
        m_currentCancelled->store(true);
    m_currentCancelled = std::make_shared<std::atomic_bool>(false);
    m_busy = true;

    // A look-ahead that has started is further along than a new decode.
    std::optional<Signature> adopted;
    QFuture<Result> future;
    const auto ahead = std::find_if(m_ahead.begin(), m_ahead.end(), [&path](const Job &job) { return job.path == path; });
    if (ahead != m_ahead.end()) {
        int queued = Queued;
        if (mayAdopt && !ahead->stage->compare_exchange_strong(queued, Cancelled) && signatureOf(path) == ahead->signature) {
            adopted = ahead->signature;
            future = ahead->future;
        } else {
            ahead->cancelled->store(true);
        }
        m_ahead.erase(ahead);
    }
    // Nothing else may compete with the image the user waits for: the rest
    // of the look-ahead starts again once it has arrived.
    for (Job &job : m_ahead) {
        job.stage->store(Cancelled);
        job.cancelled->store(true);
    }
    m_ahead.clear();
    if (!adopted) {
        const PreviewLoader::Limits limits{PreviewLoader::MemoryBudget, m_currentCancelled.get(), m_target, {}, nullptr};
        future = QtConcurrent::run(&m_currentPool, [path, limits, loader = m_loader, keep = m_currentCancelled]() -> Result {
            return loader ? loader(path, limits) : PreviewLoader::load(path, limits);
        });
    }
    future.then(context, [this, generation, path, context, done, adopted](const Result &result) {
        if (generation != m_generation)
            return; // the user has moved on
        if (adopted && (!result || signatureOf(path) != adopted)) {
            // Changed since it was read, or over the look-ahead's budget: read it now.
            decodeCurrent(path, context, done, false);
            return;
        }
        m_busy = false;
        startLookahead();
        done(result);
    });
}

void Prefetcher::fit(const QString &path, QSize box, qreal ratio, QObject *context,
                     std::function<void(const Result &)> done)
{
    const quint64 generation = ++m_fitGeneration;
    if (m_fitCancelled)
        m_fitCancelled->store(true);
    m_fitCancelled = std::make_shared<std::atomic_bool>(false);
    PreviewLoader::Limits limits{PreviewLoader::MemoryBudget, m_fitCancelled.get(), PreviewTarget{PreviewLoader::Square, ratio}, box, nullptr};
    QtConcurrent::run(&m_currentPool, [path, limits, loader = m_loader, keep = m_fitCancelled]() -> Result {
        return loader ? loader(path, limits) : PreviewLoader::load(path, limits);
    }).then(context, [this, generation, done = std::move(done)](const Result &result) {
        if (generation == m_fitGeneration)
            done(result);
    });
}

void Prefetcher::request(const QStringList &paths)
{
    if (!m_enabled)
        return;
    m_wanted = paths.mid(0, Depth);
    const auto stale = std::stable_partition(m_ahead.begin(), m_ahead.end(), [this](const Job &job) {
        return m_wanted.contains(job.path);
    });
    for (auto job = stale; job != m_ahead.end(); ++job) {
        job->stage->store(Cancelled);
        job->cancelled->store(true);
    }
    m_ahead.erase(stale, m_ahead.end());
    if (!m_busy)
        startLookahead();
}

void Prefetcher::startLookahead()
{
    for (const QString &path : std::as_const(m_wanted)) {
        if (std::any_of(m_ahead.begin(), m_ahead.end(), [&path](const Job &job) { return job.path == path; }))
            continue;
        // The signature is taken before reading, so a change during the read shows.
        const std::optional<Signature> signature = signatureOf(path);
        if (!signature)
            continue;
        Job job;
        job.path = path;
        job.signature = *signature;
        job.future = QtConcurrent::run(&m_aheadPool, [path, stage = job.stage, cancelled = job.cancelled,
                                                      loader = m_loader, target = m_target]() -> Result {
            int queued = Queued;
            if (!stage->compare_exchange_strong(queued, Running))
                return std::nullopt; // taken over or stale before it started
            const PreviewLoader::Limits limits{LookaheadBudget, cancelled.get(), target, {}, nullptr};
            return loader ? loader(path, limits) : PreviewLoader::load(path, limits);
        });
        m_ahead.push_back(std::move(job));
    }
    m_wanted.clear();
}

void Prefetcher::drop()
{
    ++m_generation;
    ++m_fitGeneration;
    m_busy = false;
    if (m_currentCancelled)
        m_currentCancelled->store(true);
    if (m_fitCancelled)
        m_fitCancelled->store(true);
    for (Job &job : m_ahead) {
        job.stage->store(Cancelled);
        job.cancelled->store(true);
    }
    m_ahead.clear();
    m_wanted.clear();
}

void Prefetcher::finish()
{
    drop();
    m_currentPool.waitForDone();
    m_aheadPool.waitForDone();
}

void Prefetcher::setEnabled(bool on)
{
    m_enabled = on;
    if (!on) {
        for (Job &job : m_ahead)
            job.cancelled->store(true);
        m_ahead.clear();
        m_wanted.clear();
    }
}

QStringList Prefetcher::pendingPaths() const
{
    QStringList paths = m_wanted;
    for (const Job &job : m_ahead)
        paths << job.path;
    return paths;
}
