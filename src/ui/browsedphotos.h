// SPDX-License-Identifier: MIT
#pragma once

#include <QSortFilterProxyModel>

/**
 * What the folder browser lists: every folder, and the photos inside it that
 * a batch would offer, greyed and not selectable, so the user sees which
 * folder holds the photos. Other files are left out.
 */
class BrowsedPhotos : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    bool isFolder(const QModelIndex &sourceIndex) const;
};
