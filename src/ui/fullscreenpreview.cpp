// SPDX-License-Identifier: MIT
#include "ui/fullscreenpreview.h"

#include "core/mediator.h"
#include "imaging/prefetcher.h"
#include "ui/captiondirection.h"
#include "ui/pressgate.h"

#include <QFileInfo>
#include <QGraphicsOpacityEffect>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <limits>

FullScreenPreview::FullScreenPreview(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("fullScreenPreview"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowTitle(QStringLiteral("Fotoweave"));
    setMouseTracking(true);

    m_overlay = new QWidget(this);
    m_overlay->setObjectName(QStringLiteral("fullScreenOverlay"));
    m_overlay->setStyleSheet(QStringLiteral("#fullScreenOverlay { background: rgba(0, 0, 0, 160); }"
                                            "QLabel { color: white; }"));
    m_overlay->setAttribute(Qt::WA_StyledBackground);
    auto *layout = new QVBoxLayout(m_overlay);
    m_position = new QLabel(m_overlay);
    m_position->setObjectName(QStringLiteral("fullScreenPosition"));
    m_position->setTextFormat(Qt::PlainText); // file names are shown as they are
    m_caption = new QLineEdit(m_overlay);
    m_caption->setObjectName(QStringLiteral("fullScreenCaption"));
    m_caption->setMaxLength(std::numeric_limits<int>::max());
    m_caption->setPlaceholderText(tr("Caption"));
    CaptionDirection::follow(m_caption);
    m_hint = new QLabel(tr(qUtf8Printable(KeyHint)), m_overlay);
    m_hint->setObjectName(QStringLiteral("fullScreenHint"));
    m_hint->setTextFormat(Qt::PlainText);
    layout->addWidget(m_position);
    layout->addWidget(m_caption);
    layout->addWidget(m_hint);
    // Faded rather than hidden, so the caption keeps the focus and typing still reaches it.
    m_fade = new QGraphicsOpacityEffect(m_overlay);
    m_overlay->setGraphicsEffect(m_fade);
    setFocusProxy(m_caption);

    m_idle = new QTimer(this);
    m_idle->setSingleShot(true);
    m_idle->setInterval(IdleMs);
    connect(m_idle, &QTimer::timeout, this, [this] { m_fade->setOpacity(0.0); });
    m_hintTimer = new QTimer(this);
    m_hintTimer->setSingleShot(true);
    m_hintTimer->setInterval(HintMs);
    connect(m_hintTimer, &QTimer::timeout, m_hint, &QWidget::hide);

    m_caption->installEventFilter(this);
    // The same rules as the main window's caption box: Enter adds only the photo that is on the screen.
    m_gate = new PressGate(this);
    m_gate->watch(m_caption, true);
    connect(m_caption, &QLineEdit::returnPressed, this, &FullScreenPreview::addRequested);
}

void FullScreenPreview::showPhoto(const QString &path)
{
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : this->screen();
    const qreal ratio = screen->devicePixelRatio();
    m_path = path;
    m_image = QImage();
    m_failed = false;
    m_gate->imageLoading();
    Prefetcher::shared().fit(path, screen->size() * ratio, ratio, this, [this, path](const Prefetcher::Result &picture) {
        if (path != m_path)
            return;
        m_image = picture ? picture->image : QImage();
        m_failed = !picture;
        update();
        m_gate->imageShown();
        emit photoArrived(path);
    });
    if (!isVisible()) {
        setGeometry(screen->geometry());
        showFullScreen();
        activateWindow();
        m_caption->setFocus();
        m_hint->show();
        m_hintTimer->start();
    }
    reveal();
    update();
}

void FullScreenPreview::setPosition(const QString &text) { m_position->setText(text); }

bool FullScreenPreview::overlayShown() const { return m_fade->opacity() > 0.0; }

bool FullScreenPreview::hintShown() const { return overlayShown() && m_hint->isVisible(); }

void FullScreenPreview::reveal()
{
    m_fade->setOpacity(1.0);
    m_idle->start();
}

void FullScreenPreview::placeOverlay()
{
    const int width = qMin(this->width() - 40, 900);
    const int height = m_overlay->sizeHint().height();
    m_overlay->setGeometry((this->width() - width) / 2, this->height() - height - 40, width, height);
}

void FullScreenPreview::resizeEvent(QResizeEvent *) { placeOverlay(); }

void FullScreenPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_failed) {
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter,
                         Mediator::unreadableShown() + QLatin1Char('\n') + QFileInfo(m_path).fileName());
    }
    if (m_image.isNull())
        return;
    const QSizeF size = m_image.deviceIndependentSize();
    painter.drawImage(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), m_image);
}

bool FullScreenPreview::navigate(const QKeyEvent *key)
{
    const bool alt = key->modifiers() & Qt::AltModifier;
    switch (key->key()) {
    case Qt::Key_Escape:
    case Qt::Key_F11:
        close();
        return true;
    case Qt::Key_PageDown:
        emit skipRequested();
        return true;
    case Qt::Key_PageUp:
        emit backRequested();
        return true;
    case Qt::Key_Right:
        if (alt)
            emit skipRequested();
        return alt;
    case Qt::Key_Left:
        if (alt)
            emit backRequested();
        return alt;
    default:
        return false;
    }
}

bool FullScreenPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_caption && event->type() == QEvent::KeyPress) {
        reveal();
        return navigate(static_cast<QKeyEvent *>(event));
    }
    return QWidget::eventFilter(watched, event);
}

void FullScreenPreview::keyPressEvent(QKeyEvent *event)
{
    reveal();
    if (!navigate(event))
        QWidget::keyPressEvent(event);
}

void FullScreenPreview::mouseMoveEvent(QMouseEvent *) { reveal(); }

void FullScreenPreview::mouseDoubleClickEvent(QMouseEvent *) { close(); }

void FullScreenPreview::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_idle->stop();
    emit left();
}
