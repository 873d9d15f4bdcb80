// SPDX-License-Identifier: MIT
#include "ui/previewpainter.h"

#include "imaging/prefetcher.h"
#include "ui/picturebox.h"

#include <algorithm>

PreviewPainter *PreviewPainter::of(PictureBox *box)
{
    if (auto *painter = box->findChild<PreviewPainter *>(QString(), Qt::FindDirectChildrenOnly))
        return painter;
    return new PreviewPainter(box);
}

PreviewPainter::PreviewPainter(PictureBox *box)
    : QObject(box)
    , m_box(box)
{
    // A window being dragged larger sends many sizes: decode once it rests.
    m_settle.setSingleShot(true);
    m_settle.setInterval(150);
    connect(&m_settle, &QTimer::timeout, this, &PreviewPainter::decodeAgain);
}

QRectF PreviewPainter::square(const PictureBox *box)
{
    const float grownWidth = box->scaleWidth() - DesignedWidth;
    const float grownHeight = box->scaleHeight() - DesignedHeight;
    if (grownWidth > 0 || grownHeight > 0) {
        // Larger than designed: the whole box, so a landscape photo takes the width it is given.
        return QRectF(0, 0, std::max(1.0f, box->scaleWidth()), std::max(1.0f, box->scaleHeight()));
    }
    const float grown = std::min(grownWidth, grownHeight);
    // What the square does not take of the shrinking is shared on both sides.
    return QRectF((grownWidth - grown) / 2, (grownHeight - grown) / 2, std::max(1.0f, PreviewLoader::Square + grown),
                  std::max(1.0f, PreviewLoader::Square + grown));
}

PreviewTarget PreviewPainter::target(const PictureBox *box)
{
    // Decoded for the square around the area: enough pixels for whichever side the photo fills.
    const QRectF area = square(box);
    return {float(std::max(area.width(), area.height())), box->devicePixelRatioF()};
}

void PreviewPainter::show(const PreviewLoader::Picture &picture, const QString &path)
{
    m_picture = picture;
    m_path = path;
    paint();
    // Replacing the picture of the box forgets this redraw: an emptied box stays empty.
    m_box->setRedraw([this] { refit(); });
    if (picture.target != target(m_box))
        m_settle.start(); // decoded ahead for a box of another size
}

void PreviewPainter::paint()
{
    const QRectF area = square(m_box);
    QSizeF size = PreviewLoader::fittedSize(m_picture->naturalTwips, float(area.width()));
    if (area.width() != area.height()) {
        // Fitted into the rectangle: never enlarged, its shape kept.
        const QSizeF natural = m_picture->naturalTwips;
        const qreal scale = std::min({1.0, area.width() / natural.width(), area.height() / natural.height()});
        size = natural * scale;
    }
    m_box->fillBox(QRectF(0, 0, m_box->scaleWidth(), m_box->scaleHeight()), Qt::white);
    m_box->paintPicture(m_picture->image, QRectF(area.x() + (area.width() - size.width()) / 2,
                                                 area.y() + (area.height() - size.height()) / 2, size.width(),
                                                 size.height()));
}

void PreviewPainter::refit()
{
    if (!m_picture)
        return;
    paint(); // from the pixels at hand, at once
    if (m_picture->target != target(m_box))
        m_settle.start();
}

void PreviewPainter::decodeAgain()
{
    const PreviewTarget wanted = target(m_box);
    if (!m_picture || m_picture->target == wanted)
        return;
    // Handed over only while the photo is on show and no newer re-decode was asked for.
    Prefetcher::shared().redecode(m_path, wanted, this, [this](const Prefetcher::Result &fresh) {
        if (!fresh || !m_picture || fresh->target != target(m_box))
            return; // the box has changed size again
        const QString description = m_picture->description;
        m_picture = fresh;
        m_picture->description = description;
        paint();
    });
}
