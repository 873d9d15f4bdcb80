// SPDX-License-Identifier: MIT
#include "document/slidelistmodel.h"

#include "imaging/slidethumbnails.h"

#include <QUndoCommand>

#include <functional>

namespace {
/** One change of the list, told how to make and to take back. */
class Step : public QUndoCommand
{
public:
    Step(const QString &text, std::function<void()> redo, std::function<void()> undo)
        : QUndoCommand(text)
        , m_redo(std::move(redo))
        , m_undo(std::move(undo))
    {
    }
    void redo() override { m_redo(); }
    void undo() override { m_undo(); }

private:
    std::function<void()> m_redo;
    std::function<void()> m_undo;
};

/** A caption as one line of the list: a line break in it shows as a blank. */
QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}
}

SlideListModel::SlideListModel(QObject *parent)
    : QAbstractListModel(parent)
    , m_thumbnails(new SlideThumbnails(this))
{
    connect(m_thumbnails, &SlideThumbnails::arrived, this, [this] {
        // Views repaint only the rows they show.
        if (!m_show.slides.isEmpty())
            emit dataChanged(index(0), index(int(m_show.slides.size()) - 1), {Qt::DecorationRole});
    });
}

SlideListModel::~SlideListModel() = default;

void SlideListModel::setShow(EditedShow show)
{
    beginResetModel();
    m_thumbnails->cancel();
    m_undo.clear();
    m_show = std::move(show);
    endResetModel();
    emit nameChanged(m_show.name);
}

void SlideListModel::push(const QString &text, std::function<void()> redo, std::function<void()> undo)
{
    if (!m_readOnly)
        m_undo.push(new Step(text, std::move(redo), std::move(undo)));
}

void SlideListModel::setCaption(int row, const QString &caption)
{
    if (row < 0 || row >= rowCount() || m_show.slides.at(row).caption == caption)
        return;
    const QString before = m_show.slides.at(row).caption;
    push(tr("Edit Caption"), [this, row, caption] { putCaption(row, caption); },
         [this, row, before] { putCaption(row, before); });
}

void SlideListModel::moveSlide(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= rowCount() || to >= rowCount())
        return;
    push(tr("Move Slide"), [this, from, to] { placeSlide(from, to); },
         [this, from, to] { placeSlide(to, from); });
}

void SlideListModel::removeSlide(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    const QList<EditedShow::Slide> removed{m_show.slides.at(row)};
    push(tr("Remove Slide"), [this, row] { takeSlides(row, 1); },
         [this, row, removed] { putSlides(row, removed); });
}

void SlideListModel::insertSlides(int row, const QList<EditedShow::Slide> &slides)
{
    if (slides.isEmpty() || row < 0 || row > rowCount())
        return;
    const int count = int(slides.size());
    push(tr("Add Photos"), [this, row, slides] { putSlides(row, slides); },
         [this, row, count] { takeSlides(row, count); });
}

void SlideListModel::rename(const QString &name)
{
    if (name == m_show.name)
        return;
    const QString before = m_show.name;
    push(tr("Rename Slide Show"), [this, name] { putName(name); }, [this, before] { putName(before); });
}

void SlideListModel::save()
{
    m_show.save();
    m_undo.setClean();
}

void SlideListModel::savedAs(EditedShow show)
{
    m_show = std::move(show);
    m_undo.setClean();
}

void SlideListModel::placeSlide(int from, int to)
{
    beginMoveRows(QModelIndex(), from, from, QModelIndex(), to > from ? to + 1 : to);
    m_show.slides.move(from, to);
    endMoveRows();
}

void SlideListModel::takeSlides(int row, int count)
{
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    m_show.slides.remove(row, count);
    endRemoveRows();
}

void SlideListModel::putSlides(int row, const QList<EditedShow::Slide> &slides)
{
    beginInsertRows(QModelIndex(), row, row + int(slides.size()) - 1);
    for (qsizetype i = 0; i < slides.size(); ++i)
        m_show.slides.insert(row + i, slides.at(i));
    endInsertRows();
}

void SlideListModel::putCaption(int row, const QString &caption)
{
    m_show.slides[row].caption = caption;
    emit dataChanged(index(row), index(row), {Qt::DisplayRole, Qt::EditRole, CaptionRole});
}

void SlideListModel::putName(const QString &name)
{
    m_show.name = name;
    emit nameChanged(name);
}

int SlideListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_show.slides.size());
}

QVariant SlideListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const EditedShow::Slide &slide = m_show.slides.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return slide.picture + QLatin1Char('\n') + oneLine(slide.caption);
    case Qt::EditRole:
    case CaptionRole:
        return slide.caption;
    case PictureRole:
        return slide.picture;
    case Qt::DecorationRole:
        // A web-sized slide has a small thumbnail of its own, quicker to decode than its copy.
        return m_thumbnails->thumbnail(m_show.folder() + QLatin1Char('/')
                                       + (slide.thumbnail.isEmpty() ? slide.picture : slide.thumbnail));
    case Qt::ToolTipRole:
        return slide.caption;
    default:
        return QVariant();
    }
}

bool SlideListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || m_readOnly)
        return false;
    setCaption(index.row(), value.toString());
    return true;
}

Qt::ItemFlags SlideListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return m_readOnly ? Qt::NoItemFlags : Qt::ItemIsDropEnabled;
    const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    return m_readOnly ? flags : flags | Qt::ItemIsEditable | Qt::ItemIsDragEnabled;
}

Qt::DropActions SlideListModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

bool SlideListModel::moveRows(const QModelIndex &sourceParent, int sourceRow, int count,
                              const QModelIndex &destinationParent, int destinationChild)
{
    if (m_readOnly || sourceParent.isValid() || destinationParent.isValid() || count != 1)
        return false;
    // The destination counts rows before the move: a slide moved down lands one row higher.
    const int to = destinationChild > sourceRow ? destinationChild - 1 : destinationChild;
    if (to < 0 || to >= rowCount())
        return false;
    moveSlide(sourceRow, to);
    return true;
}
