// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>

/**
 * A box that shows a picture and keeps whatever is drawn into it, so the
 * drawing survives being covered and uncovered. Drawing coordinates are twips;
 * the drawing holds the screen's own pixels, so it stays sharp on high-density screens.
 */
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setBackColor(const QColor &color);
    /** When on, the box takes the size of every picture it is given. */
    void setAutoSize(bool on) { m_autoSize = on; }

    /** Makes image the box's picture: the drawing restarts from it. */
    void setPicture(const QImage &image);
    /** Makes the picture stored under resource the box's picture, its @2x version on a high-density screen. */
    void setPictureResource(const QString &resource);
    /**
     * How to draw the box's content again when the box changes size (the drawing
     * restarts from the picture then). Cleared when the picture is replaced.
     */
    void setRedraw(std::function<void()> redraw) { m_redraw = std::move(redraw); }
    /** Replaces the picture with the empty picture; only the background remains. */
    void clearPicture();
    const QImage &picture() const { return m_picture; }

    /** Inner width and height in twips. */
    float scaleWidth() const;
    float scaleHeight() const;

    void fillBox(const QRectF &twips, const QColor &color);
    /** Draws image stretched into the destination rectangle. */
    void paintPicture(const QImage &image, const QRectF &twips);

    /**
     * While text is set the box shows it, quietly, over an empty box instead
     * of its drawing; the drawing itself is kept. Empty text shows the drawing again.
     */
    void setLoadingText(const QString &text);
    const QString &loadingText() const { return m_loadingText; }

    /** What the box shows now. */
    const QImage &drawing() const { return m_drawing; }

    /** The picture stored under resource, or its @2x version when ratio is above 1 and one exists. */
    static QImage resourceImage(const QString &resource, qreal ratio);

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void restartDrawing();

    QColor m_backColor = Qt::white;
    bool m_autoSize = false;
    QImage m_picture;
    QImage m_drawing;
    std::function<void()> m_redraw;
    QString m_loadingText;
};
