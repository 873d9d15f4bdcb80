// SPDX-License-Identifier: MIT
#include "imaging/previewloader.h"

#include "imaging/jpegpreview.h"
#include "imaging/photodescription.h"

#include <QFile>
#include <QImageReader>

#include <cmath>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
/** Decoded at the screen's own pixels, so a high-density screen shows it sharp. */
QSize pixelsOf(QSizeF twips, qreal ratio)
{
    const qreal scale = ratio / PreviewLoader::TwipsPerPixel;
    return QSize(std::max(1, int(std::lround(twips.width() * scale))),
                 std::max(1, int(std::lround(twips.height() * scale))));
}

/** BMP, GIF and whatever else Qt reads: these readers decode the whole image, so it must fit the budget. */
std::optional<QImage> readWithQt(QIODevice *device, const PreviewLoader::Limits &limits, PreviewLoader::Picture &picture)
{
    QImageReader reader(device);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty())
        return std::nullopt;
    if (qint64(stored.width()) * stored.height() * 4 > limits.memoryBytes)
        return std::nullopt;

    const bool quarterTurn = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize upright = quarterTurn ? stored.transposed() : stored;
    picture.naturalTwips = QSizeF(upright) * PreviewLoader::TwipsPerPixel;
    picture.fittedTwips = PreviewLoader::fittedSize(picture.naturalTwips, limits.target.square);
    const QSize pixels = pixelsOf(picture.fittedTwips, limits.target.devicePixelRatio);
    if (pixels != upright)
        reader.setScaledSize(quarterTurn ? pixels.transposed() : pixels); // scaled before it is turned
    reader.setQuality(100); // smooth scaling
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return image;
}
}

QSizeF PreviewLoader::fittedSize(QSizeF twips, float square)
{
    float w = float(twips.width());
    float h = float(twips.height());
    if (w > square) {
        h = h * square / w;
        w = square;
    }
    if (h > square) {
        w = w * square / h;
        h = square;
    }
    return QSizeF(w, h);
}

std::optional<PreviewLoader::Picture> PreviewLoader::load(const QString &path, const Limits &limits)
{
    // Opened without waiting, and only read when it is a regular file: a FIFO
    // or a device named like a photo must not hold anything up.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    std::optional<Picture> picture = load(&file, limits);
    if (picture)
        picture->description = PhotoDescription::read(path);
    return picture;
}

std::optional<PreviewLoader::Picture> PreviewLoader::load(QIODevice *device, const Limits &limits)
{
    Picture picture;
    std::optional<QImage> image;
    if (JpegPreview::looksLikeJpeg(device->peek(3))) {
        const JpegPreview::Limits jpegLimits{limits.memoryBytes, TimeBudgetMs, MaxScans, limits.cancelled};
        image = JpegPreview::decode(device, jpegLimits, [&picture, &limits](QSize upright) {
            picture.naturalTwips = QSizeF(upright) * TwipsPerPixel;
            picture.fittedTwips = fittedSize(picture.naturalTwips, limits.target.square);
            return pixelsOf(picture.fittedTwips, limits.target.devicePixelRatio);
        });
    } else {
        image = readWithQt(device, limits, picture);
    }
    if (!image || image->isNull())
        return std::nullopt;
    const QSize pixels = pixelsOf(picture.fittedTwips, limits.target.devicePixelRatio);
    if (image->size() != pixels)
        *image = image->scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image->setDevicePixelRatio(limits.target.devicePixelRatio);
    picture.image = std::move(*image);
    picture.target = limits.target;
    return picture;
}
