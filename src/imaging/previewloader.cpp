// SPDX-License-Identifier: MIT
#include "imaging/previewloader.h"

#include "imaging/photodescription.h"

#include <QImageReader>

#include <cmath>

QSizeF PreviewLoader::fittedSize(QSizeF twips)
{
    float w = float(twips.width());
    float h = float(twips.height());
    if (w > Square) {
        h = h * Square / w;
        w = Square;
    }
    if (h > Square) {
        w = w * Square / h;
        h = Square;
    }
    return QSizeF(w, h);
}

std::optional<PreviewLoader::Picture> PreviewLoader::load(const QString &path)
{
    QImageReader reader(path);
    std::optional<Picture> picture = read(reader);
    if (picture)
        picture->description = PhotoDescription::read(path);
    return picture;
}

std::optional<PreviewLoader::Picture> PreviewLoader::load(QIODevice *device)
{
    QImageReader reader(device);
    return read(reader);
}

std::optional<PreviewLoader::Picture> PreviewLoader::read(QImageReader &reader)
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
    picture.fittedTwips = fittedSize(picture.naturalTwips);

    QSize pixels(std::max(1, int(std::lround(picture.fittedTwips.width() / TwipsPerPixel))),
                 std::max(1, int(std::lround(picture.fittedTwips.height() / TwipsPerPixel))));
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
    picture.image = std::move(image);
    return picture;
}
