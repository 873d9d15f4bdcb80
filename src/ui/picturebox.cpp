// SPDX-License-Identifier: MIT
#include "ui/picturebox.h"

#include "ui/twips.h"

#include <QPainter>

#include <cmath>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    restartDrawing();
}

void PictureBox::setBackColor(const QColor &color)
{
    m_backColor = color;
    restartDrawing();
}

void PictureBox::setPicture(const QImage &image)
{
    m_picture = image;
    m_redraw = nullptr;
    if (m_autoSize && !image.isNull())
        resize(image.deviceIndependentSize().toSize());
    restartDrawing();
}

void PictureBox::setPictureResource(const QString &resource)
{
    setPicture(resourceImage(resource, devicePixelRatioF()));
}

QImage PictureBox::resourceImage(const QString &resource, qreal ratio)
{
    if (ratio > 1.0) {
        const qsizetype dot = resource.lastIndexOf(QLatin1Char('.'));
        QImage sharp(resource.left(dot) + QStringLiteral("@2x") + resource.mid(dot));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QImage(resource);
}

void PictureBox::clearPicture()
{
    m_picture = QImage();
    m_redraw = nullptr;
    m_loadingText.clear();
    restartDrawing();
}

float PictureBox::scaleWidth() const
{
    return float(width() * Twips::PerPixel);
}

float PictureBox::scaleHeight() const
{
    return float(height() * Twips::PerPixel);
}

void PictureBox::fillBox(const QRectF &twips, const QColor &color)
{
    QPainter painter(&m_drawing);
    painter.scale(1.0 / Twips::PerPixel, 1.0 / Twips::PerPixel);
    painter.fillRect(twips, color);
    update();
}

void PictureBox::paintPicture(const QImage &image, const QRectF &twips)
{
    const QRectF pixels(twips.x() / Twips::PerPixel, twips.y() / Twips::PerPixel, twips.width() / Twips::PerPixel,
                        twips.height() / Twips::PerPixel);
    QPainter painter(&m_drawing);
    const QPoint corner(int(std::lround(pixels.x())), int(std::lround(pixels.y())));
    const QSizeF size = image.deviceIndependentSize();
    if (std::abs(pixels.width() - size.width()) < 1.0 && std::abs(pixels.height() - size.height()) < 1.0) {
        // Already decoded at this size: place it pixel for pixel.
        painter.drawImage(corner, image);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(pixels, image);
    }
    update();
}

void PictureBox::setLoadingText(const QString &text)
{
    m_loadingText = text;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_loadingText.isEmpty()) {
        painter.drawImage(0, 0, m_drawing);
        return;
    }
    painter.fillRect(rect(), Qt::white);
    painter.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, m_loadingText);
}

void PictureBox::resizeEvent(QResizeEvent *)
{
    if (m_drawing.deviceIndependentSize() != QSizeF(size())) {
        restartDrawing();
        if (m_redraw)
            m_redraw();
    }
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QWidget::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void PictureBox::restartDrawing()
{
    const qreal ratio = devicePixelRatioF();
    m_drawing = QImage(size().expandedTo(QSize(1, 1)) * ratio, QImage::Format_RGB32);
    m_drawing.setDevicePixelRatio(ratio);
    m_drawing.fill(m_backColor);
    if (!m_picture.isNull()) {
        QPainter painter(&m_drawing);
        painter.drawImage(0, 0, m_picture);
    }
    update();
}
