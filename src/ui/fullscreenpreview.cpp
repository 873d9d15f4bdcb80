// SPDX-License-Identifier: MIT
#include "ui/fullscreenpreview.h"

#include "imaging/prefetcher.h"

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

void FullScreenPreview::showPhoto(const QString &path)
{
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : this->screen();
    const qreal ratio = screen->devicePixelRatio();
    m_path = path;
    m_image = QImage();
    Prefetcher::shared().fit(path, screen->size() * ratio, ratio, this, [this, path](const Prefetcher::Result &picture) {
        if (path != m_path)
            return;
        m_image = picture ? picture->image : QImage();
        update();
        emit photoArrived(path);
    });
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
