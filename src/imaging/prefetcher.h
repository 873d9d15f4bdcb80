// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/previewloader.h"

#include <QDateTime>
#include <QFuture>
#include <QString>

#include <optional>

/**
 * Decodes the next image of a batch on a worker thread while the user looks
 * at the current one, so that it appears at once when its turn comes. Only
 * the decoding runs off the user-interface thread; a prefetched picture is
 * used once, and only if the file has not changed since it was read.
 */
class Prefetcher
{
public:
    /** The one prefetcher of the program. */
    static Prefetcher &shared();

    /** Starts decoding path in the background, replacing any earlier request. */
    void request(const QString &path);
    /**
     * The picture for path if it was prefetched from the file as it is now;
     * waits for a decode still running. Nothing otherwise; either way the
     * request is used up.
     */
    std::optional<PreviewLoader::Picture> take(const QString &path);
    /** Forgets any request; a decode still running finishes unused. */
    void drop();

    /** Prefetching can be switched off, for comparison. */
    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }
    QString pendingPath() const { return m_path; }

private:
    struct Signature {
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const Signature &) const = default;
    };
    static std::optional<Signature> signatureOf(const QString &path);

    bool m_enabled = true;
    QString m_path;
    std::optional<Signature> m_signature;
    QFuture<std::optional<PreviewLoader::Picture>> m_future;
};
