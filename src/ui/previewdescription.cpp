// SPDX-License-Identifier: MIT
#include "ui/previewdescription.h"

#include "core/mediator.h"

#include <QFileInfo>

PreviewDescription::PreviewDescription(Mediator *md, const QList<QWidget *> &widgets, QObject *parent)
    : QObject(parent)
{
    for (QWidget *widget : widgets)
        m_widgets << widget;
    describe();
    // A photo taken from the prefetcher's cache arrives before its position is told: either order ends the same.
    connect(md, &Mediator::positionChanged, this, [this](int number, int count, const QString &path) {
        m_number = number;
        m_count = count;
        m_positionPath = path;
        describe();
    });
    connect(md, &Mediator::pictureCleared, this, [this] {
        m_path.clear();
        describe();
    });
    // While it loads, where it stands is known already; its size comes with the picture.
    connect(md, &Mediator::imageLoading, this, [this](const QString &path) { show(path, QString()); });
    connect(md, &Mediator::imageShown, this, [this](const QString &path, const PreviewLoader::Picture &, QSize pixels) {
        show(path, tr("%1 × %2").arg(QString::number(pixels.width()), QString::number(pixels.height())));
    });
    connect(md, &Mediator::imageFailed, this, [this](const QString &path) { show(path, Mediator::unreadableShown()); });
}

void PreviewDescription::show(const QString &path, const QString &detail)
{
    m_path = path;
    m_detail = detail;
    describe();
}

void PreviewDescription::describe()
{
    QString text = tr("No photo");
    if (!m_path.isEmpty()) {
        const QString name = QFileInfo(m_path).fileName();
        text = m_path == m_positionPath && m_count > 0
            ? tr("Photo %1 of %2: %3").arg(QString::number(m_number), QString::number(m_count), name)
            : name;
        if (!m_detail.isEmpty())
            text = tr("%1, %2").arg(text, m_detail);
    }
    if (text == m_text)
        return; // told once
    m_text = text;
    for (QWidget *widget : std::as_const(m_widgets)) {
        if (widget)
            widget->setAccessibleDescription(text);
    }
}
