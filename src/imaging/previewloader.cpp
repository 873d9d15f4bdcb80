// SPDX-License-Identifier: MIT
#include "imaging/previewloader.h"

#include "imaging/jpegpreview.h"
#include "imaging/photodescription.h"

#include <QColorSpace>
#include <QFile>
#include <QImageReader>

#include <cmath>
#include <functional>

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
std::optional<QImage> readWithQt(QIODevice *device, const PreviewLoader::Limits &limits, bool &overBudget,
                                 const std::function<QSize(QSize)> &wanted)
{
    QImageReader reader(device);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty())
        return std::nullopt;
    if (qint64(stored.width()) * stored.height() * 4 > limits.memoryBytes) {
        overBudget = true;
        return std::nullopt;
    }

    const bool quarterTurn = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize upright = quarterTurn ? stored.transposed() : stored;
    const QSize pixels = wanted(upright);
    if (pixels != upright)
        reader.setScaledSize(quarterTurn ? pixels.transposed() : pixels); // scaled before it is turned
    reader.setQuality(100); // smooth scaling
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return image;
}
}

QSize PreviewLoader::fittedInto(QSize size, QSize box)
{
    if (size.width() <= box.width() && size.height() <= box.height())
        return size;
    return size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
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

namespace {
/**
 * Opens path without waiting, and only when it is a regular file: a FIFO or a
 * device named like a photo must not hold anything up.
 */
bool openRegular(const QString &path, QFile &file)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}
}

QSize PreviewLoader::storedSize(const QString &path)
{
    QFile file;
    if (!openRegular(path, file))
        return QSize();
    return QImageReader(&file).size();
}

std::optional<PreviewLoader::Picture> PreviewLoader::load(const QString &path, const Limits &limits)
{
    if (limits.refusal)
        *limits.refusal = Refusal::Unreadable;
    QFile file;
    if (!openRegular(path, file))
        return std::nullopt;
    std::optional<Picture> picture = load(&file, limits);
    if (picture && !limits.box.isValid())
        picture->description = PhotoDescription::read(path);
    return picture;
}

std::optional<PreviewLoader::Picture> PreviewLoader::load(QIODevice *device, const Limits &limits)
{
    Picture picture;
    QSize pixels;
    // Called with the image's upright size once the header is read, before anything is decoded.
    const auto wanted = [&picture, &pixels, &limits](QSize upright) {
        picture.naturalTwips = QSizeF(upright) * TwipsPerPixel;
        if (limits.box.isValid()) {
            pixels = fittedInto(upright, limits.box);
            picture.fittedTwips = QSizeF(pixels) * TwipsPerPixel;
        } else {
            picture.fittedTwips = fittedSize(picture.naturalTwips, limits.target.square);
            pixels = pixelsOf(picture.fittedTwips, limits.target.devicePixelRatio);
        }
        return pixels;
    };
    bool overBudget = false;
    std::optional<QImage> image;
    if (JpegPreview::looksLikeJpeg(device->peek(3))) {
        const JpegPreview::Limits jpegLimits{limits.memoryBytes, TimeBudgetMs, MaxScans, limits.cancelled, &overBudget,
                                             &picture.damaged};
        image = JpegPreview::decode(device, jpegLimits, wanted);
    } else {
        image = readWithQt(device, limits, overBudget, wanted);
    }
    if (!image || image->isNull()) {
        if (limits.refusal)
            *limits.refusal = overBudget ? Refusal::OverBudget : Refusal::Unreadable;
        return std::nullopt;
    }
    if (image->size() != pixels) {
        const QColorSpace colorSpace = image->colorSpace();
        *image = image->scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        image->setColorSpace(colorSpace);
    }
    image->setDevicePixelRatio(limits.target.devicePixelRatio);
    picture.image = std::move(*image);
    picture.target = limits.target;
    if (limits.refusal)
        *limits.refusal = Refusal::None;
    return picture;
}
