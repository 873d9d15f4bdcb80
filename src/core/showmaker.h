// SPDX-License-Identifier: MIT
#pragma once

#include "core/makeoptions.h"
#include "document/slideshow.h"

#include <QEventLoop>
#include <QFuture>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <vector>

class ConsolePlatform;
class ProgressBar;

/**
 * `fotoweave make`: a whole batch with no window and nobody to ask. It takes
 * the source's photos in the order the Images window lists them, reads them
 * (and makes their web-sized copies) on all cores through the decoding
 * service, and writes their entries through the same show document and entry
 * writer as "Add to SlideShow", one after another in that order, so the page
 * and the copies are those the window makes. Stopped by SIGINT or SIGTERM, it
 * completes the page with the slides written so far.
 */
class ShowMaker : public QObject
{
    Q_OBJECT

public:
    enum Status { Done = 0, SomeFailed = 1, Refused = 2 };

    ShowMaker(const MakeOptions &options, ConsolePlatform &platform);
    ~ShowMaker() override;

    /** Makes the show (or says what it would do) and returns the exit status. */
    int run();

private:
    /** What reading a photo found out, written by a worker before its future finishes. */
    struct Read {
        bool readable = true;
        QString reason;
        QString description;
    };
    struct Photo {
        QString path;
        QString name;
        QString caption;
        bool captionKnown = false;
        bool started = false;
        bool reading = false, copying = false;
        QFuture<void> read;
        QFuture<void> copy;
        std::shared_ptr<Read> found;
    };

    int refuse(const QString &text);
    /** The photos to offer and their captions, as far as known before reading them; false after a message. */
    bool collect(std::vector<Photo> &photos, int &status);
    int dryRun(std::vector<Photo> &photos);
    void start(Photo &photo);
    void watch(const QFuture<void> &future);
    /** Writes the entries of the photos read, in order, and starts reading more. */
    void pump();
    void settle(Photo &photo);
    void fail(const QString &name, const QString &reason);
    void stop(int signal);
    void finish();

    MakeOptions m_options;
    ConsolePlatform &m_platform;
    SlideShow m_show;
    std::vector<Photo> m_photos;
    std::size_t m_next = 0;
    std::size_t m_started = 0;
    std::size_t m_inFlight = 0;
    int m_added = 0;
    int m_failed = 0;
    int m_signal = 0;
    bool m_finished = false;
    int m_status = Done;
    std::shared_ptr<std::atomic_bool> m_cancelled = std::make_shared<std::atomic_bool>(false);
    std::unique_ptr<ProgressBar> m_progress;
    QEventLoop m_loop;
};
