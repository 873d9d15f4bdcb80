// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/previewloader.h"

#include <QDateTime>
#include <QFuture>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

/**
 * Decodes the next images of a batch on worker threads while the user looks
 * at the current one, so that each appears at once when its turn comes. Only
 * decoding runs off the user-interface thread; a prefetched picture is used
 * once, and only if the file has not changed since it was read.
 */
class Prefetcher
{
public:
    /** How many images are decoded ahead: a progressive 24-megapixel JPEG takes longer than a glance. */
    static constexpr int Depth = 2;

    /** The one prefetcher of the program. */
    static Prefetcher &shared();

    /**
     * Makes paths, the next images in order, the ones being decoded ahead.
     * Decodes already running for them are kept; others are forgotten.
     */
    void request(const QStringList &paths);
    /**
     * The picture for path if it was prefetched from the file as it is now;
     * waits for a decode still running. Nothing otherwise. Either way path's
     * request is used up.
     */
    std::optional<PreviewLoader::Picture> take(const QString &path);
    /** Forgets every request; decodes still running finish unused. */
    void drop();
    /** What previews are decoded for from now on; pictures decoded for another target are not handed out. */
    void setTarget(PreviewLoader::Target target) { m_target = target; }

    /** Prefetching can be switched off, for comparison. */
    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }
    QStringList pendingPaths() const;

private:
    struct Signature {
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const Signature &) const = default;
    };
    struct Request {
        QString path;
        Signature signature;
        QFuture<std::optional<PreviewLoader::Picture>> future;
    };
    static std::optional<Signature> signatureOf(const QString &path);

    bool m_enabled = true;
    PreviewLoader::Target m_target;
    std::vector<Request> m_requests;
};
