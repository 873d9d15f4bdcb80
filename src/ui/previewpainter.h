// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/previewloader.h"

#include <QObject>
#include <QRectF>
#include <QTimer>

#include <optional>

class PictureBox;

/**
 * Paints a preview into the main window's preview box: fitted into the box's
 * area, centred in it, never enlarged. At the designed size the area is the
 * 3500-twip square at the box's origin, and when the box shrinks the square
 * shrinks with it; when the box is larger than designed the area is the whole
 * box. After a resize the picture is painted again
 * at once from what was decoded, then decoded afresh for the new square by the
 * prefetcher.
 */
class PreviewPainter : public QObject
{
    Q_OBJECT

public:
    /** The designed size of the preview box, in twips. */
    static constexpr float DesignedWidth = 3615.0f;
    static constexpr float DesignedHeight = 3375.0f;

    /** The painter of box, made on first use. */
    static PreviewPainter *of(PictureBox *box);

    /** The area, in twips of the box, that previews are fitted into: a square up to the designed size, else the box. */
    static QRectF square(const PictureBox *box);
    /** What a preview for box is decoded for. */
    static PreviewTarget target(const PictureBox *box);

    /** Paints picture, decoded from path, and keeps it painted as the box changes size. */
    void show(const PreviewLoader::Picture &picture, const QString &path);

private:
    explicit PreviewPainter(PictureBox *box);
    void paint();
    void refit();
    void decodeAgain();

    PictureBox *m_box;
    std::optional<PreviewLoader::Picture> m_picture;
    QString m_path;
    QTimer m_settle;
};
