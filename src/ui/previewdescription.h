// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>

class Mediator;

/**
 * Tells assistive technology which photo the preview shows, as its
 * accessible description: "Photo 3 of 13: name, 4000 × 3000" (the upright
 * size in pixels), or "No photo". Setting the description is what announces
 * the change: the widget posts it to the screen reader.
 */
class PreviewDescription : public QObject
{
    Q_OBJECT

public:
    /** Describes the photo on show on each of widgets (the preview box, the full-screen view), following md. */
    PreviewDescription(Mediator *md, const QList<QWidget *> &widgets, QObject *parent);

private:
    /** The photo at path is on show, or on its way when detail is empty: its size, or why it cannot be shown. */
    void show(const QString &path, const QString &detail);
    /** "Photo 3 of 13: name, detail"; the bare name of a photo outside the batch's count; or "No photo". */
    void describe();

    QList<QPointer<QWidget>> m_widgets;
    int m_number = 0;
    int m_count = 0;
    QString m_positionPath;
    QString m_path;
    QString m_detail;
    QString m_text;
};
