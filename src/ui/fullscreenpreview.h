// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

class PressGate;
class QGraphicsOpacityEffect;
class QLabel;
class QLineEdit;
class QTimer;

/**
 * The photo on show, full screen, to judge it closely and caption it there:
 * fitted to the screen, never enlarged, on black, with the caption box (which
 * has the focus, so typing, arrows and Space edit the caption) and where the
 * batch stands over it. Enter adds the photo with its caption, Alt+Right or
 * Page Down skip it, Alt+Left or Page Up go back, and the next photo follows
 * here; Escape, F11 or a double-click return to the main window. A held key
 * acts once, and Enter only once the photo is on the screen. The caption and
 * the position fade after a few seconds without input and come back with any
 * key or mouse move; a line naming the keys shows for the first seconds.
 * The photo is decoded off the window's thread with the preview's budgets;
 * the screen stays black until it arrives, and a file over budget is never shown.
 */
class FullScreenPreview : public QWidget
{
    Q_OBJECT

public:
    /** The key line: shown for this long each time full screen begins. */
    static constexpr int HintMs = 3000;
    /** The caption and position fade after this long without input. */
    static constexpr int IdleMs = 4000;
    /** The keys named while full screen begins; shown through tr(). */
    static inline const QString KeyHint
        = QStringLiteral(QT_TR_NOOP("Enter adds · Alt+Right or Page Down skips · Alt+Left or Page Up goes back · Escape leaves"));

    explicit FullScreenPreview(QWidget *parent);

    /** Shows path full screen, once it is decoded; a photo asked for before is forgotten. */
    void showPhoto(const QString &path);
    /** The photo on show; null until it has arrived, or when it cannot be read. */
    const QImage &image() const { return m_image; }
    /** The caption box over the photo; it follows the main window's. */
    QLineEdit *caption() const { return m_caption; }
    /** Where the batch stands, "3 of 13 · name". */
    void setPosition(const QString &text);
    /** True while the caption and position can be seen; the key line, while it can. */
    bool overlayShown() const;
    bool hintShown() const;

signals:
    /** The decode of path is over: image() holds it, or is null when it could not be read. */
    void photoArrived(const QString &path);

    void addRequested();
    void skipRequested();
    void backRequested();
    /** Full screen has ended: the main window takes the keys again. */
    void left();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /** Acts on a key meant for full screen itself; false when it is the caption's. */
    bool navigate(const QKeyEvent *key);
    void reveal();
    void placeOverlay();

    QImage m_image;
    QString m_path;
    bool m_failed = false;
    QWidget *m_overlay = nullptr;
    QGraphicsOpacityEffect *m_fade = nullptr;
    QLabel *m_position = nullptr;
    QLineEdit *m_caption = nullptr;
    QLabel *m_hint = nullptr;
    QTimer *m_idle = nullptr;
    QTimer *m_hintTimer = nullptr;
    PressGate *m_gate = nullptr;
};
