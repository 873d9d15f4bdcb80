// SPDX-License-Identifier: MIT
#pragma once

#include "document/editedshow.h"

#include <QAbstractListModel>
#include <QUndoStack>

class SlideThumbnails;

/**
 * The slides of a show opened for editing, as a list: each row a slide with
 * its thumbnail, file name and caption. Every change (a caption, a move, a
 * removal, slides added, the show's name) is one step of its undo stack, so
 * any of them can be undone and redone; save() writes the page and marks the
 * stack clean. Thumbnails are decoded only for the rows a view asks for.
 */
class SlideListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { CaptionRole = Qt::UserRole + 1, PictureRole };

    explicit SlideListModel(QObject *parent = nullptr);
    ~SlideListModel() override;

    /** Lists show's slides; the undo history starts afresh. */
    void setShow(EditedShow show);
    const EditedShow &show() const { return m_show; }
    EditedShow &show() { return m_show; }
    /** A read-only list takes no change. */
    void setReadOnly(bool on) { m_readOnly = on; }
    bool isReadOnly() const { return m_readOnly; }

    QUndoStack *undoStack() { return &m_undo; }
    /** True when the list holds changes the page does not. */
    bool isModified() const { return !m_undo.isClean(); }

    void setCaption(int row, const QString &caption);
    /** Moves the slide at from so that it becomes slide number to (counted from 0). */
    void moveSlide(int from, int to);
    void removeSlide(int row);
    void insertSlides(int row, const QList<EditedShow::Slide> &slides);
    void rename(const QString &name);
    /** Writes the page (EditedShow::save) and marks the list unmodified. Throws DocumentError. */
    void save();
    /** Takes show, a copy of the list's show saved meanwhile with the same slides, and marks the list unmodified. */
    void savedAs(EditedShow show);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    Qt::DropActions supportedDropActions() const override;
    /** A view's drag and drop moves one slide at a time, each one undo step. */
    bool moveRows(const QModelIndex &sourceParent, int sourceRow, int count, const QModelIndex &destinationParent,
                  int destinationChild) override;

signals:
    void nameChanged(const QString &name);

private:
    void push(const QString &text, std::function<void()> redo, std::function<void()> undo);
    void placeSlide(int from, int to);
    void takeSlides(int row, int count);
    void putSlides(int row, const QList<EditedShow::Slide> &slides);
    void putCaption(int row, const QString &caption);
    void putName(const QString &name);

    EditedShow m_show;
    QUndoStack m_undo;
    SlideThumbnails *m_thumbnails = nullptr;
    bool m_readOnly = false;
};
