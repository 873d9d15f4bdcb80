// SPDX-License-Identifier: MIT
#pragma once

#include <QCache>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

/**
 * Small pictures of a show's slides for a list, decoded only when the list
 * asks for them, through the decoding service and off the window's thread.
 * The most recently asked for are decoded first, a few at a time, so a long
 * list scrolled quickly decodes what is on screen; the rest wait or are
 * forgotten. Decoded pictures are kept up to a bounded number.
 */
class SlideThumbnails : public QObject
{
    Q_OBJECT

public:
    static constexpr int Side = 64;

    explicit SlideThumbnails(QObject *parent = nullptr);
    ~SlideThumbnails() override;

    /** The picture of the file at path when it is decoded, else a blank one of the same size and a decode is asked for. */
    QImage thumbnail(const QString &path);
    /** Cancels every decode; nothing more arrives. */
    void cancel();

signals:
    /** A picture has been decoded (or could not be): the list may ask again. */
    void arrived(const QString &path);

private:
    void startNext();

    QCache<QString, QImage> m_done;
    QSet<QString> m_failed;
    QStringList m_waiting; // newest last
    QSet<QString> m_running;
    std::shared_ptr<std::atomic_bool> m_cancelled;
    QImage m_blank;
};
