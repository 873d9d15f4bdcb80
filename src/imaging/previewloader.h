// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <atomic>
#include <optional>

class QIODevice;

/** What a preview is decoded for: the side of the square it is fitted into (twips) and the screen's pixels per pixel. */
struct PreviewTarget {
    float square = 3500.0f;
    qreal devicePixelRatio = 1.0;
    bool operator==(const PreviewTarget &) const = default;
};

/**
 * Loads an image for the preview. The size is read from the file's header and
 * the image is decoded straight to the size it will be painted at, upright
 * according to its EXIF orientation. Each load keeps to a memory and time
 * budget and can be cancelled, so one hostile file cannot hold up the rest.
 */
class PreviewLoader
{
public:
    /** Side of the square that previews are fitted into, in twips. */
    static constexpr float Square = 3500.0f;
    static constexpr int TwipsPerPixel = 15;
    /** Memory one image may take while it is decoded for the image on show. */
    static constexpr qint64 MemoryBudget = 320LL * 1024 * 1024;
    /** A decode that runs longer than this gives up. */
    static constexpr int TimeBudgetMs = 5000;
    /** Real photos have a dozen scans or so; hundreds only make a file slow. */
    static constexpr int MaxScans = 100;

    struct Picture {
        QImage image;       // decoded at the fitted size
        QSizeF naturalTwips; // the image's own upright size
        QSizeF fittedTwips;  // the size it is painted at
        QString description; // the photo's own description, suggested as its caption
        PreviewTarget target; // what it was decoded for
        bool damaged = false; // the decoder met errors and filled in what it could not read
    };
    /** Why a load gave nothing. */
    enum class Refusal { None, Unreadable, OverBudget };
    struct Limits {
        qint64 memoryBytes = MemoryBudget;
        const std::atomic_bool *cancelled = nullptr;
        PreviewTarget target; // at 2 the image holds twice the pixels and says so
        /** When valid, the image is fitted into these pixels (never enlarged) instead of the preview's square. */
        QSize box;
        /** When set, told why a load gave nothing: a file over its budget is refused before it is decoded. */
        Refusal *refusal = nullptr;
    };

    /** Fits a size into box, keeping its shape; a size that fits already stays as it is. */
    static QSize fittedInto(QSize size, QSize box);
    /** Fits a size into the square exactly as the preview does: width first, then height. */
    static QSizeF fittedSize(QSizeF twips, float square = Square);
    /**
     * Nothing when the file is missing, not a regular file, not a readable
     * image, over budget or cancelled. Only regular files are opened, and
     * never in a way that can block.
     */
    static std::optional<Picture> load(const QString &path, const Limits &limits);
    /** The size stored in the file's header, as carefully opened as by load; invalid when it cannot be read. */
    static QSize storedSize(const QString &path);
    static std::optional<Picture> load(const QString &path) { return load(path, Limits()); }
    /** The same, reading from an open device. */
    static std::optional<Picture> load(QIODevice *device, const Limits &limits);
    static std::optional<Picture> load(QIODevice *device) { return load(device, Limits()); }
};
