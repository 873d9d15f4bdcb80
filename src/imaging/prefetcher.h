// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/previewloader.h"

#include <QDateTime>
#include <QFuture>
#include <QString>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QObject;

/**
 * Decodes the batch's images off the window's thread. The image the user
 * waits for has a thread of its own that look-ahead never occupies, and
 * look-ahead starts only once it has arrived; the next images are then
 * decoded one at a time, with a smaller memory budget, so that each appears
 * at once when its turn comes. A decode the user has moved past is cancelled
 * and its result is never handed over.
 */
class Prefetcher
{
public:
    /** How many images are decoded ahead: a progressive 24-megapixel JPEG takes longer than a glance. */
    static constexpr int Depth = 2;
    /** Look-ahead leaves bigger images to the moment they are wanted, so at most one big image is held. */
    static constexpr qint64 LookaheadBudget = PreviewLoader::MemoryBudget / 2;

    using Result = std::optional<PreviewLoader::Picture>;
    using Loader = std::function<Result(const QString &path, const PreviewLoader::Limits &limits)>;

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
     * Makes paths, the next images in order, the ones decoded ahead, once the
     * image on the way has arrived. Look-ahead for other images is cancelled.
     */
    void request(const QStringList &paths);
    /** Forgets the image on the way, the one being fitted and every look-ahead; nothing more is handed over. */
    void drop();
    /**
     * drop(), then waits until the cancelled decodes have stopped: before the
     * window they would report to goes away, since a decode that finishes
     * after its window has gone trips Qt's check on the continuation.
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
    void setLoader(Loader loader) { m_loader = std::move(loader); }

private:
    Prefetcher();

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
    static std::optional<Signature> signatureOf(const QString &path);
    void decodeCurrent(const QString &path, QObject *context, std::function<void(const Result &)> done,
                       bool mayAdopt);
    void startLookahead();

    bool m_enabled = true;
    PreviewTarget m_target;
    bool m_busy = false;
    quint64 m_generation = 0;
    std::shared_ptr<std::atomic_bool> m_currentCancelled;
    quint64 m_fitGeneration = 0;
    std::shared_ptr<std::atomic_bool> m_fitCancelled;
    QStringList m_wanted;
    std::vector<Job> m_ahead;
    Loader m_loader;
    QThreadPool m_currentPool;
    QThreadPool m_aheadPool;
};
