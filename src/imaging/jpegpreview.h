// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QSize>

#include <atomic>
#include <functional>
#include <optional>

class QIODevice;

/**
 * Decodes a JPEG for the preview as it is read from a device with
 * libjpeg's reduced decode (the smallest of 1/8 .. 8/8 that still covers the
 * wanted size), upright by its EXIF orientation. The decode refuses files
 * that would need more memory than its budget (libjpeg's whole-image
 * coefficient buffers of multi-scan files included), and gives up when it
 * runs past its time, reads too many scans, or is cancelled. The image
 * carries the file's colour profile, if it has one.
 */
class JpegPreview
{
public:
    struct Limits {
        qint64 memoryBytes = 0;
        int milliseconds = 0;
        int maxScans = 0;
        const std::atomic_bool *cancelled = nullptr;
        /** When set, made true when the file was refused for its memory, scans or time rather than unreadable. */
        bool *overBudget = nullptr;
        /** When set, made true when libjpeg warned of corrupt or missing data it filled in. */
        bool *damaged = nullptr;
    };

    /** True when the bytes begin like a JPEG file. */
    static bool looksLikeJpeg(const QByteArray &start);
    /**
     * Decodes the JPEG that device reads from its current position. wanted maps the
     * image's upright size to the upright pixel size the caller needs; the
     * result is upright and at least that size, or nothing on any failure or
     * limit.
     */
    static std::optional<QImage> decode(QIODevice *device, const Limits &limits, const std::function<QSize(QSize)> &wanted);

    /** Turns an image stored as it came from the camera upright. */
    static QImage upright(const QImage &stored, int orientation);
    /** The EXIF orientation in an APP1 segment's data; 1 if it says none. */
    static int exifOrientation(const QByteArray &app1);
};
