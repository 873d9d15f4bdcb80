// SPDX-License-Identifier: MIT
#include "ui/pressgate.h"

#include <QAbstractButton>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
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

/** Keys that do something once per press (add, skip, go back, leave, close a box); held, they act once. */
bool actsOnce(const QObject *receiver, const QKeyEvent *key)
{
    if (key->modifiers() & Qt::AltModifier)
        return true; // mnemonics and Alt+arrows
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_F11:
        return true;
    case Qt::Key_Space:
        return isButton(receiver); // typed into a caption it is text
    default:
        return false;
    }
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

/**
 * Drops the repeats of held keys that act once, whichever widget or window
 * they reach: one for the whole application, watching every key event.
 */
class HeldKeys : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyRelease: {
            // Seen again by each widget the event passes on its way up: recording it again changes nothing.
            const auto *key = static_cast<QKeyEvent *>(event);
            m_releasedKey = key->key();
            m_releasedAt = key->timestamp();
            return false;
        }
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress: {
            auto *key = static_cast<QKeyEvent *>(event);
            if (!actsOnce(receiver, key) || !isRepeat(key))
                return false;
            // A repeat taken as an override reaches no shortcut; then, as a press, no widget.
            key->accept();
            return true;
        }
        default:
            return false;
        }
    }

private:
    bool isRepeat(const QKeyEvent *press) const
    {
        if (press->isAutoRepeat())
            return true;
        // Synthetic events carry no time (0): they cannot be told apart this way.
        return press->timestamp() != 0 && press->key() == m_releasedKey && press->timestamp() == m_releasedAt;
    }

    int m_releasedKey = 0; // the last key released, and when
    quint64 m_releasedAt = 0;
};
}

PressGate::PressGate(QObject *parent)
    : QObject(parent)
{
    static QPointer<HeldKeys> heldKeys;
    if (!heldKeys) {
        heldKeys = new HeldKeys(qApp);
        qApp->installEventFilter(heldKeys);
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
