// SPDX-License-Identifier: MIT
#include "ui/folderdrop.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

FolderDrop::FolderDrop(QWidget *window, std::function<void(const QString &)> take)
    : QObject(window)
    , m_take(std::move(take))
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    // Text boxes take drops of their own; folders are caught before they reach them.
    const QList<QWidget *> controls = window->findChildren<QWidget *>();
    for (QWidget *control : controls)
        control->installEventFilter(this);
}

QString FolderDrop::folderOf(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().isEmpty())
        return QString();
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile())
        return QString();
    const QFileInfo info(url.toLocalFile());
    if (info.isDir())
        return QDir::cleanPath(info.absoluteFilePath());
    if (info.isFile())
        return info.absolutePath();
    return QString();
}

bool FolderDrop::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (folderOf(drag->mimeData()).isEmpty()) {
            // Plain text may still go into a text box; the window refuses it.
            if (watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow())
                drag->ignore();
            return watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow();
        }
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString folder = folderOf(drop->mimeData());
        if (folder.isEmpty())
            return false;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        m_take(folder);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
