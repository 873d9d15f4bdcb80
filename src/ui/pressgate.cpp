// SPDX-License-Identifier: MIT
#include "ui/pressgate.h"

#include <QAbstractButton>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QStyleHints>
#include <QWidget>

namespace {
/** Event times from another clock (synthetic ones, for instance) are this far from ours or more. */
constexpr qint32 ClockAgreement = 60'000;

qint64 now()
{
    return QDeadlineTimer::current().deadline();
}

bool isButton(const QObject *watched)
{
    return qobject_cast<const QAbstractButton *>(watched);
}

bool actsOnImage(const QObject *watched, const QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    case Qt::Key_Space:
        return isButton(watched); // typed into a caption it is text
    default:
        return false;
    }
}
}

void PressGate::watch(QWidget *widget, bool needsPicture)
{
    widget->installEventFilter(this);
    if (needsPicture)
        m_needPicture.insert(widget);
}

void PressGate::imageLoading()
{
    m_shown = false;
    m_loadingAt = now();
}

void PressGate::imageShown()
{
    m_shown = true;
    m_shownAt = now();
}

bool PressGate::madeTooEarly(const QObject *watched, const QInputEvent *event) const
{
    const bool needsPicture = m_needPicture.contains(watched);
    if (needsPicture && !m_shown)
        return true;
    // Window system times are 32-bit milliseconds of the monotonic clock; compare them modulo 2^32.
    const auto at = quint32(event->timestamp());
    const auto age = qint32(quint32(now()) - at);
    if (age < -ClockAgreement || age > ClockAgreement)
        return false; // not comparable: let it through
    return qint32(quint32(needsPicture ? m_shownAt : m_loadingAt) - at) > 0;
}

bool PressGate::secondOfDoubleClick(const QInputEvent *press) const
{
    const auto since = qint32(quint32(press->timestamp()) - quint32(m_lastPressAt));
    return since >= 0 && since < QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

bool PressGate::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        return actsOnImage(watched, key) && (key->isAutoRepeat() || madeTooEarly(watched, key));
    }
    case QEvent::MouseButtonDblClick:
        return isButton(watched); // one decision, however many clicks
    case QEvent::MouseButtonPress: {
        if (!isButton(watched))
            return false;
        const auto *press = static_cast<QMouseEvent *>(event);
        const bool again = watched == m_lastPressed && secondOfDoubleClick(press);
        m_lastPressed = watched;
        m_lastPressAt = press->timestamp();
        return again || madeTooEarly(watched, press);
    }
    default:
        return false;
    }
}
