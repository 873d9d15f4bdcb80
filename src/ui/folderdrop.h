// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QMimeData;
class QWidget;

/**
 * Takes a folder dragged from a file manager onto a window: a dropped folder
 * is handed on, dropped files hand on the folder that holds them. Anything
 * else is refused, so the cursor shows that it cannot be dropped.
 */
class FolderDrop : public QObject
{
    Q_OBJECT

public:
    /** Watches window and every control in it; take receives the folder. */
    FolderDrop(QWidget *window, std::function<void(const QString &)> take);

    /** The folder that a drop of data stands for; empty text when it stands for none. */
    static QString folderOf(const QMimeData *data);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void(const QString &)> m_take;
};
