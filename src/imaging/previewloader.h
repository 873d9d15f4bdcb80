// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>

class QIODevice;
class QImageReader;

#include <optional>

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

    struct Picture {
        QImage image;       // decoded at the fitted size
        QSizeF naturalTwips; // the image's own upright size
        QSizeF fittedTwips;  // the size it is painted at
        QString description; // the photo's own description, suggested as its caption
    };

    /** Fits a size into the square exactly as the preview does: width first, then height. */
    static QSizeF fittedSize(QSizeF twips);
    /** Nothing when the file is missing, not a readable image, or too large. */
    static std::optional<Picture> load(const QString &path);
    /** The same, reading from an open device. */
    static std::optional<Picture> load(QIODevice *device);

private:
    static std::optional<Picture> read(QImageReader &reader);
};
