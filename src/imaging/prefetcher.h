// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/previewloader.h"

#include <QDateTime>
#include <QFuture>
#include <QString>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class QObject;

/**
 * The one place photos are decoded, always off the window's thread and with
 * the loader's budgets. The image the user waits for has threads of its own
 * that look-ahead and batch work never occupy, and look-ahead starts only once
 * it has arrived; the next images are then decoded one at a time, with a
 * smaller memory budget, so that each appears at once when its turn comes. A
 * decode the user has moved past is cancelled and its result is never handed
 * over. Batch work (web-sized copies) runs on as many threads as there are
 * cores, its decodes sharing one memory budget.
 */
class Prefetcher
{
public:
    /** How many images are decoded ahead: a progressive 24-megapixel JPEG takes longer than a glance. */
    static constexpr int Depth = 2;
    /** Look-ahead leaves bigger images to the moment they are wanted, so at most one big image is held. */
    static constexpr qint64 LookaheadBudget = PreviewLoader::MemoryBudget / 2;

    /** What the batch's decodes may hold at once, unless set otherwise. */
    static constexpr qint64 BatchMemory = PreviewLoader::MemoryBudget;

    using Result = std::optional<PreviewLoader::Picture>;
    using Loader = std::function<Result(const QString &path, const PreviewLoader::Limits &limits)>;
    /** How batch work decodes: blocks its thread, and returns nothing once the work is cancelled. */
    using BatchDecode = Loader;

    /** The one prefetcher of the program. */
    static Prefetcher &shared();

    /**
     * Decodes path as the image the user now waits for and hands the picture,
     * or nothing when it cannot be read, to done on context's thread. The
     * image wanted before is forgotten: its decode is cancelled and done is
     * never called for it. A look-ahead of the same, unchanged file that has
     * already started is used instead of decoding again.
     */
    void show(const QString &path, QObject *context, std::function<void(const Result &)> done);
    /**
     * Decodes path fitted into box (device pixels, never enlarged) at the
     * screen's pixel ratio, with the budgets of the image on show, and hands
     * it to done on context's thread. The image fitted before is forgotten:
     * its decode is cancelled and done is never called for it. Independent
     * of show, so the preview and a bigger view of it can be decoded at once.
     */
    void fit(const QString &path, QSize box, qreal ratio, QObject *context, std::function<void(const Result &)> done);
    /**
     * Decodes path again for the preview, now that its box asks for target,
     * with the budgets of the image on show, and hands it to done on
     * context's thread. The re-decode asked for before is forgotten, and so
     * is this one once another photo is shown or drop() is called: cancelled,
     * and done is never called for it. Independent of show and fit.
     */
    void redecode(const QString &path, PreviewTarget target, QObject *context, std::function<void(const Result &)> done);
    /**
     * Runs work, such as a web-sized copy, on one of the batch's threads, as
     * many as the machine has cores. Its decodes go through the function it
     * is given, with the limits it passes but cancelled by cancelled; each
     * waits until the memory the batch's decodes hold leaves room for it
     * (the whole image in 32 bits, at most its own budget). finish() cancels it.
     */
    QFuture<void> batch(std::shared_ptr<std::atomic_bool> cancelled, std::function<void(const BatchDecode &)> work);
    /** What the batch's decodes may hold at once: BatchMemory unless set otherwise. */
    void setBatchMemory(qint64 bytes);
    /**
     * Makes paths, the next images in order, the ones decoded ahead, once the
     * image on the way has arrived. Look-ahead for other images is cancelled.
     */
    void request(const QStringList &paths);
    /** Forgets the image on the way, the ones being fitted and decoded again, and every look-ahead; nothing more is handed over. */
    void drop();
    /**
     * drop(), cancels the batch work, then waits until every decode has
     * stopped: before the window they would report to goes away, since a
     * decode that finishes after its window has gone trips Qt's check on the
     * continuation.
     */
    void finish();
    /** What previews are decoded for from now on (the preview box's square, the screen's pixel ratio). */
    void setTarget(PreviewTarget target) { m_target = target; }
    /** True while an image asked for with show has not been handed over. */
    bool isBusy() const { return m_busy; }

    /** Prefetching can be switched off, for comparison. */
    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }
    QStringList pendingPaths() const;
    /** Replaces the decode (PreviewLoader::load), for tests and comparisons; called on worker threads. */
    void setLoader(Loader loader);

private:
    Prefetcher();
    ~Prefetcher();

    struct Signature {
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const Signature &) const = default;
    };
    enum Stage { Queued, Running, Cancelled };
    struct Job {
        QString path;
        Signature signature;
        std::shared_ptr<std::atomic_bool> cancelled = std::make_shared<std::atomic_bool>(false);
        std::shared_ptr<std::atomic_int> stage = std::make_shared<std::atomic_int>(Queued);
        QFuture<Result> future;
    };
    /** A decode besides the image on show: the latest asked for is the only one handed over. */
    struct Slot {
        quint64 generation = 0;
        std::shared_ptr<std::atomic_bool> cancelled;
        QString path;
    };
    static std::optional<Signature> signatureOf(const QString &path);
    void decodeCurrent(const QString &path, QObject *context, std::function<void(const Result &)> done,
                       bool mayAdopt);
    void startLookahead();
    void decodeFor(Slot &slot, const QString &path, PreviewLoader::Limits limits, QObject *context,
                   std::function<void(const Result &)> done);
    static void forget(Slot &slot);
    Loader loader() const;
    Result decodeInBatch(const QString &path, PreviewLoader::Limits limits, const std::atomic_bool &cancelled);

    bool m_enabled = true;
    PreviewTarget m_target;
    bool m_busy = false;
    quint64 m_generation = 0;
    std::shared_ptr<std::atomic_bool> m_currentCancelled;
    Slot m_fit;
    Slot m_preview;
    QStringList m_wanted;
    std::vector<Job> m_ahead;
    mutable std::mutex m_mutex; // guards the loader and the batch's memory and work
    Loader m_loader;
    std::condition_variable m_batchRoom;
    qint64 m_batchMemory = BatchMemory;
    qint64 m_batchHeld = 0;
    std::vector<std::weak_ptr<std::atomic_bool>> m_batchWork;
    // Last, so that they have stopped before anything their work uses goes.
    QThreadPool m_currentPool;
    QThreadPool m_aheadPool;
    QThreadPool m_batchPool;
};
