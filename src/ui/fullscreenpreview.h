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
 * The photo is decoded off the window's thread with the preview's budgets;
 * the screen stays black until it arrives, and a file over budget is never shown.
 */
class FullScreenPreview : public QWidget
{
    Q_OBJECT

public:
    explicit FullScreenPreview(QWidget *parent);

    /** Shows path full screen, once it is decoded; a photo asked for before is forgotten. */
    void showPhoto(const QString &path);
    /** The photo on show; null until it has arrived, or when it cannot be read. */
    const QImage &image() const { return m_image; }

signals:
    /** The decode of path is over: image() holds it, or is null when it could not be read. */
    void photoArrived(const QString &path);

    void addRequested();
    void skipRequested();
    void backRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QImage m_image;
    QString m_path;
};
