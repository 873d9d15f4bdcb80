// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QSet>

class QInputEvent;
class QWidget;

/**
 * Lets the controls that act on the image on show act only on the image the
 * user meant: the repeats of a held key, the second click of a double-click
 * (its press as well as the double-click itself) and a press made before the
 * image was there are dropped. Adding needs the image painted; moving on only
 * needs it asked for, so a slow image can still be skipped.
 *
 * A held key acts once in every window, message boxes included: the gate
 * watches the whole application for repeats. X sends a repeat as a release
 * and a press with the same time; Qt flags such a pair as a repeat only when
 * both are already queued, which a busy machine does not guarantee.
 */
class PressGate : public QObject
{
    Q_OBJECT

public:
    explicit PressGate(QObject *parent);

    /** Filters the presses that reach widget; needsPicture: it acts on the picture, not just on the file. */
    void watch(QWidget *widget, bool needsPicture);
    /** A new image is asked for: presses made before now were meant for the previous one. */
    void imageLoading();
    /** The image (or its failure) is on the screen now. */
    void imageShown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool madeTooEarly(const QObject *watched, const QInputEvent *event) const;
    bool secondOfDoubleClick(const QInputEvent *press) const;

    QSet<const QObject *> m_needPicture;
    bool m_shown = true;
    qint64 m_loadingAt = 0; // monotonic milliseconds, the clock of the window system's event times
    qint64 m_shownAt = 0;
    const QObject *m_lastPressed = nullptr;
    quint64 m_lastPressAt = 0;
};
