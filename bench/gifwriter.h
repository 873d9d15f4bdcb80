// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>

/** Writes GIF files for tests and benchmarks: Qt reads GIF but cannot write it. */
namespace GifWriter {

/**
 * An image of up to four colours as GIF bytes, with a clear code after every
 * two pixels so that every LZW code stays three bits wide: plain, but what
 * any decoder reads. Empty when the image has more colours.
 */
QByteArray encode(const QImage &image);

} // namespace GifWriter
