// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

/**
 * The photo on show, full screen, to judge it closely: fitted to the screen,
 * never enlarged, on black. Escape, F11 or a double-click return to the main
 * window; Enter adds the photo with its caption and the arrow keys, Space or
 * Page Down skip it, Left or Page Up go back, and the next photo follows here.
 */
class FullScreenPreview : public QWidget
{
    Q_OBJECT

public:
    explicit FullScreenPreview(QWidget *parent);

    /** Shows path full screen. */
    void showPhoto(const QString &path);
    const QImage &image() const { return m_image; }

    /** Decodes path fitted into screen pixels (device pixels), upright; a null image when it cannot be read. */
    static QImage fitted(const QString &path, QSize screen);

signals:
    void addRequested();
    void skipRequested();
    void backRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QImage m_image;
};
