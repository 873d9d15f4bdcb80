// SPDX-License-Identifier: MIT
#include "ui/fullscreenpreview.h"

#include <QImageReader>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

FullScreenPreview::FullScreenPreview(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("fullScreenPreview"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowTitle(QStringLiteral("Fotoweave"));
}

QImage FullScreenPreview::fitted(const QString &path, QSize screen)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty() || qint64(stored.width()) * stored.height() > 200'000'000)
        return QImage();
    const bool quarterTurn = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize upright = quarterTurn ? stored.transposed() : stored;
    const QSize size = upright.width() <= screen.width() && upright.height() <= screen.height()
        ? upright
        : upright.scaled(screen, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    if (size != upright)
        reader.setScaledSize(quarterTurn ? size.transposed() : size);
    reader.setQuality(100);
    QImage image = reader.read();
    if (!image.isNull() && image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

void FullScreenPreview::showPhoto(const QString &path)
{
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : this->screen();
    const qreal ratio = screen->devicePixelRatio();
    m_image = fitted(path, screen->size() * ratio);
    m_image.setDevicePixelRatio(ratio);
    if (!isVisible()) {
        setGeometry(screen->geometry());
        showFullScreen();
        activateWindow();
    }
    update();
}

void FullScreenPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_image.isNull())
        return;
    const QSizeF size = m_image.deviceIndependentSize();
    painter.drawImage(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), m_image);
}

void FullScreenPreview::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_F11:
        close();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit addRequested();
        break;
    case Qt::Key_Right:
    case Qt::Key_Space:
    case Qt::Key_PageDown:
        emit skipRequested();
        break;
    case Qt::Key_Left:
    case Qt::Key_PageUp:
        emit backRequested();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void FullScreenPreview::mouseDoubleClickEvent(QMouseEvent *)
{
    close();
}
