// SPDX-License-Identifier: MIT
#include "document/pageweight.h"

#include "document/slideshow.h"
#include "imaging/previewloader.h"
#include "imaging/webcopy.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {
constexpr double BytesPerPixel = 0.35;
constexpr qint64 Megabyte = 1000 * 1000;
constexpr qint64 Heavy = 20 * Megabyte;

QString megabytes(qint64 bytes)
{
    return QString::number(std::llround(double(bytes) / Megabyte));
}
}

PageWeight PageWeight::of(const SlideShow &show)
{
    PageWeight weight;
    for (const SlideShow::Entry &slide : show.entries()) {
        if (!slide.thumbnail.isEmpty())
            continue; // already web-sized
        const QString path = show.folder() + QLatin1Char('/') + slide.picture;
        const qint64 bytes = QFileInfo(path).size();
        const QSize shared = PreviewLoader::fittedInto(PreviewLoader::storedSize(path),
                                                       QSize(WebCopy::LongSide, WebCopy::LongSide));
        const auto estimate = qint64(std::llround(BytesPerPixel * double(shared.width()) * double(shared.height())));
        weight.photos += bytes;
        weight.webSized += shared.isValid() ? std::min(estimate, bytes) : bytes;
    }
    return weight;
}

QString PageWeight::nudge() const
{
    if (photos <= Heavy)
        return QString();
    return tr("The page loads %1 MB of photos; with Web-sized photos it would be about %2 MB.")
        .arg(megabytes(photos), megabytes(webSized));
}
