// SPDX-License-Identifier: MIT
#include "imaging/prefetcher.h"

#include <QFileInfo>
#include <QPromise>
#include <QThread>
#include <QtConcurrent>

#include <algorithm>
#include <chrono>

Prefetcher &Prefetcher::shared()
{
    static Prefetcher prefetcher;
    return prefetcher;
}

Prefetcher::Prefetcher()
{
    // Room for a new image, a full-screen view and a re-decoded preview while
    // a decode the user has left still winds down.
    m_currentPool.setMaxThreadCount(4);
    m_aheadPool.setMaxThreadCount(1);
    m_batchPool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

Prefetcher::~Prefetcher()
{
    finish();
}

void Prefetcher::setLoader(Loader loader)
{
    const std::lock_guard lock(m_mutex);
    m_loader = std::move(loader);
}

Prefetcher::Loader Prefetcher::loader() const
{
    const std::lock_guard lock(m_mutex);
    return m_loader;
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
    if (m_preview.path != path)
        forget(m_preview); // the preview of a photo the user has left

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
        future = QtConcurrent::run(&m_currentPool, [path, limits, loader = loader(), keep = m_currentCancelled]() -> Result {
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
    decodeFor(m_fit, path, {PreviewLoader::MemoryBudget, nullptr, PreviewTarget{PreviewLoader::Square, ratio}, box, nullptr},
              context, std::move(done));
}

void Prefetcher::redecode(const QString &path, PreviewTarget target, QObject *context,
                          std::function<void(const Result &)> done)
{
    decodeFor(m_preview, path, {PreviewLoader::MemoryBudget, nullptr, target, {}, nullptr}, context, std::move(done));
}

void Prefetcher::forget(Slot &slot)
{
    ++slot.generation;
    if (slot.cancelled)
        slot.cancelled->store(true);
    slot.cancelled.reset();
    slot.path.clear();
}

void Prefetcher::decodeFor(Slot &slot, const QString &path, PreviewLoader::Limits limits, QObject *context,
                           std::function<void(const Result &)> done)
{
    forget(slot);
    const quint64 generation = slot.generation;
    slot.cancelled = std::make_shared<std::atomic_bool>(false);
    slot.path = path;
    limits.cancelled = slot.cancelled.get();
    QtConcurrent::run(&m_currentPool, [path, limits, loader = loader(), keep = slot.cancelled]() -> Result {
        return loader ? loader(path, limits) : PreviewLoader::load(path, limits);
    }).then(context, [&slot, generation, done = std::move(done)](const Result &result) {
        if (generation == slot.generation)
            done(result);
    });
}

QFuture<void> Prefetcher::batch(std::shared_ptr<std::atomic_bool> cancelled,
                                std::function<void(const BatchDecode &)> work)
{
    {
        const std::lock_guard lock(m_mutex);
        std::erase_if(m_batchWork, [](const std::weak_ptr<std::atomic_bool> &known) { return known.expired(); });
        m_batchWork.push_back(cancelled);
    }
    // A promise, not QtConcurrent's own future: waiting for that one runs the
    // work on the waiting thread, which may be the window's, past the batch's threads.
    auto promise = std::make_shared<QPromise<void>>();
    promise->start();
    QFuture<void> future = promise->future();
    m_batchPool.start([this, promise, cancelled, work = std::move(work)] {
        work([this, cancelled](const QString &path, const PreviewLoader::Limits &limits) {
            return decodeInBatch(path, limits, *cancelled);
        });
        promise->finish();
    });
    return future;
}

void Prefetcher::setBatchMemory(qint64 bytes)
{
    const std::lock_guard lock(m_mutex);
    m_batchMemory = bytes;
    m_batchRoom.notify_all();
}

Prefetcher::Result Prefetcher::decodeInBatch(const QString &path, PreviewLoader::Limits limits,
                                             const std::atomic_bool &cancelled)
{
    limits.cancelled = &cancelled;
    if (limits.refusal)
        *limits.refusal = PreviewLoader::Refusal::Unreadable;
    // Read from the header before the decode; a file that cannot tell is counted at its budget.
    const QSize stored = PreviewLoader::storedSize(path);
    const qint64 whole = stored.isValid() ? qint64(stored.width()) * stored.height() * 4 : limits.memoryBytes;
    std::unique_lock lock(m_mutex);
    const qint64 need = std::min({whole, limits.memoryBytes, m_batchMemory});
    while (m_batchHeld > 0 && m_batchHeld + need > m_batchMemory) {
        if (cancelled)
            return std::nullopt;
        m_batchRoom.wait_for(lock, std::chrono::milliseconds(20)); // looks at cancelled now and then
    }
    if (cancelled)
        return std::nullopt;
    m_batchHeld += need;
    const Loader load = m_loader;
    lock.unlock();
    Result result = load ? load(path, limits) : PreviewLoader::load(path, limits);
    lock.lock();
    m_batchHeld -= need;
    m_batchRoom.notify_all();
    return result;
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
                                                      loader = loader(), target = m_target]() -> Result {
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
    m_busy = false;
    if (m_currentCancelled)
        m_currentCancelled->store(true);
    forget(m_fit);
    forget(m_preview);
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
    {
        const std::lock_guard lock(m_mutex);
        for (const std::weak_ptr<std::atomic_bool> &known : m_batchWork) {
            if (const auto cancelled = known.lock())
                cancelled->store(true);
        }
        m_batchWork.clear();
    }
    m_currentPool.waitForDone();
    m_aheadPool.waitForDone();
    m_batchPool.waitForDone();
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
