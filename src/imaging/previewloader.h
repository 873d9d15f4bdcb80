// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>

class QIODevice;
class QImageReader;

#include <optional>

/** What a preview is decoded for: the side of the square it is fitted into (twips) and the screen's pixels per pixel. */
struct PreviewTarget {
    float square = 3500.0f;
    qreal devicePixelRatio = 1.0;
    bool operator==(const PreviewTarget &) const = default;
};

/**
 * Loads an image for the preview. The size is read from the file's header and
 * the image is decoded straight to the size it will be painted at, upright
 * according to its EXIF orientation.
 */
class PreviewLoader
{
public:
    /** Side of the square that previews are fitted into, in twips. */
    static constexpr float Square = 3500.0f;
    static constexpr int TwipsPerPixel = 15;
    /** Images whose stored size exceeds this are refused rather than decoded. */
    static constexpr qint64 MaxPixels = 200'000'000;

    using Target = PreviewTarget;

    struct Picture {
        QImage image;       // decoded at the fitted size
        QSizeF naturalTwips; // the image's own upright size
        QSizeF fittedTwips;  // the size it is painted at
        QString description; // the photo's own description, suggested as its caption
        Target target;       // what it was decoded for
    };

    /** Fits a size into the square exactly as the preview does: width first, then height. */
    static QSizeF fittedSize(QSizeF twips, float square = Square);
    /**
     * Nothing when the file is missing, not a readable image, or too large. The
     * image has the target's device pixel ratio: at 2 it holds twice the pixels.
     */
    static std::optional<Picture> load(const QString &path, Target target = Target());
    /** The same, reading from an open device. */
    static std::optional<Picture> load(QIODevice *device, Target target = Target());

private:
    static std::optional<Picture> read(QImageReader &reader, Target target);
};
