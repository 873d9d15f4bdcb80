// SPDX-License-Identifier: MIT
#include "ui/browsedphotos.h"

#include "commands/chain.h"
#include "imaging/imagefolder.h"

#include <QFileSystemModel>

bool BrowsedPhotos::isFolder(const QModelIndex &sourceIndex) const
{
    const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
    return !files || files->isDir(sourceIndex);
}

Qt::ItemFlags BrowsedPhotos::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QSortFilterProxyModel::flags(index);
    if (isFolder(mapToSource(index)))
        return flags;
    return flags & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
}

bool BrowsedPhotos::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const QModelIndex index = sourceModel()->index(sourceRow, 0, sourceParent);
    if (isFolder(index))
        return true;
    const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
    return Chain::acceptsExtension(ImageFolder::extensionName(files->fileName(index)));
}
