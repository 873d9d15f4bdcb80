// SPDX-License-Identifier: MIT
#include "imaging/previewloader.h"

#include "imaging/photodescription.h"

#include <QImageReader>

#include <cmath>

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

std::optional<PreviewLoader::Picture> PreviewLoader::load(const QString &path, Target target)
{
    QImageReader reader(path);
    std::optional<Picture> picture = read(reader, target);
    if (picture)
        picture->description = PhotoDescription::read(path);
    return picture;
}

std::optional<PreviewLoader::Picture> PreviewLoader::load(QIODevice *device, Target target)
{
    QImageReader reader(device);
    return read(reader, target);
}

std::optional<PreviewLoader::Picture> PreviewLoader::read(QImageReader &reader, Target target)
{
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty())
        return std::nullopt;
    if (qint64(stored.width()) * stored.height() > MaxPixels)
        return std::nullopt;

    const bool quarterTurn = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize upright = quarterTurn ? stored.transposed() : stored;

    Picture picture;
    picture.naturalTwips = QSizeF(upright) * TwipsPerPixel;
    picture.fittedTwips = fittedSize(picture.naturalTwips, target.square);
    picture.target = target;

    // Decoded at the screen's own pixels, so a high-density screen shows it sharp.
    const qreal scale = target.devicePixelRatio / TwipsPerPixel;
    QSize pixels(std::max(1, int(std::lround(picture.fittedTwips.width() * scale))),
                 std::max(1, int(std::lround(picture.fittedTwips.height() * scale))));
    if (pixels != upright) {
        // The reader scales before it turns the image upright.
        reader.setScaledSize(quarterTurn ? pixels.transposed() : pixels);
    }
    reader.setQuality(100); // smooth scaling
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    if (image.size() != pixels)
        image = image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(target.devicePixelRatio);
    picture.image = std::move(image);
    return picture;
}
