// SPDX-License-Identifier: MIT
#include "ui/showeditor.h"

#include "commands/chain.h"
#include "document/documenterror.h"
#include "document/slidelistmodel.h"
#include "document/slideshowtemplates.h"
#include "document/targetlock.h"
#include "imaging/imagefolder.h"
#include "imaging/slidethumbnails.h"
#include "platform/platform.h"
#include "ui/accessiblenames.h"
#include "ui/captiondirection.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QUndoStack>
#include <QVBoxLayout>
#include <QtConcurrent>

namespace {
QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString slideCount(qsizetype n)
{
    return n == 1 ? QCoreApplication::translate("ShowEditor", "1 slide") : QCoreApplication::translate("ShowEditor", "%1 slides").arg(n);
}

/**
 * Fills a caption's box once, when it opens: a view fills the boxes open in
 * rows whose data changed, and a thumbnail arriving would wipe what is being typed.
 */
class CaptionDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *box = qobject_cast<QLineEdit *>(editor))
            CaptionDirection::follow(box); // a Hebrew or Arabic caption is edited from the right
        return editor;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (editor->property("filled").toBool())
            return;
        editor->setProperty("filled", true);
        QStyledItemDelegate::setEditorData(editor, index);
    }
};

/** What reading the page gave, handed from the reading thread to the window. */
struct Reading {
    EditedShow show;
    bool ok = false;
};

/** The slides of photos copied, or why they could not be, handed from the copying thread to the window. */
struct Adding {
    EditedShow::Copies copies;
    QString error;
};

/** The show as saved, or why it could not be, handed from the writing thread to the window. */
struct Saving {
    EditedShow show;
    QString error;
};
}

ShowEditor *ShowEditor::open(const QString &path)
{
    auto *editor = new ShowEditor(path);
    editor->startReading();
    return editor;
}

bool ShowEditor::closeAll()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        QPointer<ShowEditor> editor = qobject_cast<ShowEditor *>(window);
        // A save or an add under way ends first; then the editor is asked again.
        while (editor && editor->isVisible()) {
            if (editor->isBusy())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            else if (!editor->close() && !editor->isBusy())
                return false; // kept open: cancelled, or its page not written, and the message has said why
        }
    }
    return true;
}

ShowEditor::ShowEditor(const QString &path)
    : m_path(path)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("ShowEditor"));
    m_model = new SlideListModel(this);
    buildWindow();
    AccessibleNames::give(this);
}

ShowEditor::~ShowEditor() = default;

void ShowEditor::buildWindow()
{
    auto *client = new QWidget(this);
    auto *layout = new QVBoxLayout(client);
    auto *nameRow = new QHBoxLayout;
    auto *nameLabel = new QLabel(tr("Slide show name:"), client);
    txtShowName = new QLineEdit(client);
    txtShowName->setObjectName(QStringLiteral("txtShowName"));
    nameLabel->setBuddy(txtShowName);
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(txtShowName);
    layout->addLayout(nameRow);

    m_list = new QListView(client);
    m_list->setObjectName(QStringLiteral("lstSlides"));
    m_list->setModel(m_model);
    m_list->setItemDelegate(new CaptionDelegate(m_list));
    // One row height for all, so that a list of thousands of slides is laid out at once.
    m_list->setUniformItemSizes(true);
    m_list->setIconSize(QSize(SlideThumbnails::Side, SlideThumbnails::Side));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setDragDropMode(QAbstractItemView::InternalMove);
    m_list->setDefaultDropAction(Qt::MoveAction);
    m_list->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
    m_list->setTextElideMode(Qt::ElideRight);
    layout->addWidget(m_list);
    setCentralWidget(client);
    resize(640, 720);

    QUndoStack *undo = m_model->undoStack();
    QMenu *file = menuBar()->addMenu(tr("&File"));
    actAddPhotos = file->addAction(tr("Add Photos..."), this, &ShowEditor::addPhotos);
    actAddPhotos->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    actSave = file->addAction(tr("Save"), this, &ShowEditor::save);
    actSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    file->addSeparator();
    file->addAction(tr("Close"), this, &QWidget::close)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    actUndo = undo->createUndoAction(this, tr("Undo"));
    actUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    actRedo = undo->createRedoAction(this, tr("Redo"));
    actRedo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    edit->addAction(actUndo);
    edit->addAction(actRedo);
    edit->addSeparator();
    // These act on the list only: in the caption being edited or the name box the keys keep their usual meaning.
    const auto listAction = [this, edit](const QString &text, QKeySequence keys, auto slot) {
        QAction *action = edit->addAction(text, this, slot);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        m_list->addAction(action);
        return action;
    };
    listAction(tr("Edit Caption"), QKeySequence(Qt::Key_Return), [this] { m_list->edit(m_list->currentIndex()); });
    auto *enter = new QAction(m_list);
    enter->setShortcut(QKeySequence(Qt::Key_Enter));
    enter->setShortcutContext(Qt::WidgetShortcut);
    connect(enter, &QAction::triggered, this, [this] { m_list->edit(m_list->currentIndex()); });
    m_list->addAction(enter);
    actRemove = listAction(tr("Remove Slide"), QKeySequence(Qt::Key_Delete), [this] { removeSelected(); });
    actMoveUp = listAction(tr("Move Up"), QKeySequence(Qt::CTRL | Qt::Key_Up), [this] { moveSelected(-1); });
    actMoveDown = listAction(tr("Move Down"), QKeySequence(Qt::CTRL | Qt::Key_Down), [this] { moveSelected(1); });

    connect(txtShowName, &QLineEdit::editingFinished, this, [this] { m_model->rename(txtShowName->text()); });
    connect(m_model, &SlideListModel::nameChanged, this, [this](const QString &name) {
        if (txtShowName->text() != name)
            txtShowName->setText(name);
        showTitle();
    });
    connect(undo, &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });
    const auto count = [this] { statusBar()->showMessage(slideCount(m_model->rowCount())); };
    connect(m_model, &QAbstractItemModel::rowsInserted, this, count);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, count);
    connect(m_model, &QAbstractItemModel::modelReset, this, count);
}

void ShowEditor::startReading()
{
    const QString folder = QFileInfo(m_path).path();
    SlideShowTemplates templates;
    try {
        templates = SlideShowTemplates::read();
    } catch (const DocumentError &e) {
        Platform::instance().messageBox(QString::fromLocal8Bit(e.what()));
        deleteLater();
        return;
    }
    auto *watcher = new QFutureWatcher<std::shared_ptr<Reading>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, folder] {
        const std::shared_ptr<Reading> reading = watcher->result();
        watcher->deleteLater();
        if (!reading->ok) {
            Platform::instance().messageBox(tr("\"%1\" is not a slide show that can be edited: %2.")
                                                .arg(native(m_path), reading->show.reason()));
            deleteLater();
            return;
        }
        // A batch writing to the folder would find its page rewritten under it: while one runs, only look.
        m_lock = std::make_unique<TargetLock>(folder);
        bool readOnly = false;
        if (!m_lock->tryLock()) {
            readOnly = m_lock->isHeldElsewhere();
            m_lock.reset();
        }
        m_locked = readOnly;
        m_model->setShow(std::move(reading->show));
        setEditable(!readOnly);
        show();
        if (m_model->rowCount() > 0)
            select(0);
        m_list->setFocus();
        if (readOnly)
            Platform::instance().messageBox(
                tr("A slide show batch is writing to the folder \"%1\", so the slide show \"%2\" is "
                               "opened read-only. Finish or close that batch, then open the slide show again to edit it.")
                    .arg(native(folder), m_model->show().name));
        emit opened();
    });
    watcher->setFuture(QtConcurrent::run([path = m_path, templates] {
        auto reading = std::make_shared<Reading>();
        reading->ok = reading->show.read(path, templates);
        return reading;
    }));
}

bool ShowEditor::isReadOnly() const
{
    return m_locked;
}

void ShowEditor::setEditable(bool on)
{
    m_model->setReadOnly(!on);
    txtShowName->setReadOnly(!on);
    for (QAction *action : {actSave, actAddPhotos, actRemove, actMoveUp, actMoveDown})
        action->setEnabled(on);
    actUndo->setEnabled(on && m_model->undoStack()->canUndo());
    actRedo->setEnabled(on && m_model->undoStack()->canRedo());
    m_list->setDragEnabled(on);
}

void ShowEditor::showTitle()
{
    setWindowTitle(tr("%1 - Edit Slide Show[*]").arg(m_model->show().name));
}

int ShowEditor::selectedRow() const
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

void ShowEditor::select(int row)
{
    const QModelIndex index = m_model->index(row);
    m_list->setCurrentIndex(index);
    m_list->scrollTo(index);
}

bool ShowEditor::save()
{
    if (m_locked || m_busy)
        return false;
    // A name being typed counts as typed.
    m_model->rename(txtShowName->text());
    m_busy = true;
    setEditable(false);
    auto *watcher = new QFutureWatcher<std::shared_ptr<Saving>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        const std::shared_ptr<Saving> saving = watcher->result();
        watcher->deleteLater();
        if (!saving->error.isEmpty()) {
            m_closeWhenDone = false;
            Platform::instance().messageBox(saving->error);
        } else {
            m_model->savedAs(std::move(saving->show));
            statusBar()->showMessage(tr("Saved: %1").arg(slideCount(m_model->rowCount())));
        }
        done();
        emit saved(saving->error.isEmpty());
    });
    // The copy shares the slides' data with the list; nothing changes them until the save has ended.
    watcher->setFuture(QtConcurrent::run([show = m_model->show()]() mutable {
        auto saving = std::make_shared<Saving>();
        try {
            show.save();
        } catch (const DocumentError &e) {
            saving->error = QString::fromLocal8Bit(e.what());
        }
        saving->show = std::move(show);
        return saving;
    }));
    return true;
}

void ShowEditor::done()
{
    m_busy = false;
    setEditable(true);
    // After what has ended is shown: the slides added are among the changes a close asks about.
    if (std::exchange(m_closeWhenDone, false))
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void ShowEditor::addPhotos()
{
    if (m_model->isReadOnly())
        return;
    Platform &platform = Platform::instance();
    const QString folder = platform.browseForFolder(tr("Choose the folder of the photos to add"),
                                                    m_photoFolder.isEmpty() ? m_model->show().folder() : m_photoFolder);
    if (folder.isEmpty())
        return;
    m_photoFolder = folder;
    QStringList photos;
    try {
        for (const ImageFolder::Entry &entry : ImageFolder::list(folder)) {
            if (Chain::acceptsExtension(ImageFolder::extensionName(entry.name)))
                photos << entry.path;
        }
    } catch (const FolderError &e) {
        platform.messageBox(QString::fromLocal8Bit(e.what()));
        return;
    }
    if (photos.isEmpty()) {
        platform.messageBox(tr("The folder \"%1\" holds no photos to add.").arg(native(folder)));
        return;
    }
    const int row = selectedRow() < 0 ? m_model->rowCount() : selectedRow() + 1;
    m_busy = true;
    setEditable(false);
    statusBar()->showMessage(tr("Adding the photos of \"%1\"…").arg(native(folder)));
    auto *watcher = new QFutureWatcher<std::shared_ptr<Adding>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, row] {
        const std::shared_ptr<Adding> adding = watcher->result();
        watcher->deleteLater();
        done();
        if (!adding->error.isEmpty()) {
            Platform::instance().messageBox(adding->error);
        } else {
            m_model->show().addMade(adding->copies.made);
            m_model->insertSlides(row, adding->copies.slides);
            select(row);
        }
        statusBar()->showMessage(slideCount(m_model->rowCount()));
    });
    watcher->setFuture(QtConcurrent::run([show = m_model->show(), photos] {
        auto adding = std::make_shared<Adding>();
        try {
            adding->copies = show.copyPhotos(photos);
        } catch (const DocumentError &e) {
            adding->error = QString::fromLocal8Bit(e.what());
        }
        return adding;
    }));
}

void ShowEditor::removeSelected()
{
    const int row = selectedRow();
    if (row < 0 || m_model->isReadOnly())
        return;
    m_model->removeSlide(row);
    if (m_model->rowCount() > 0)
        select(std::min(row, m_model->rowCount() - 1));
}

void ShowEditor::moveSelected(int step)
{
    const int row = selectedRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= m_model->rowCount() || m_model->isReadOnly())
        return;
    m_model->moveSlide(row, to);
    select(to);
}

void ShowEditor::closeEvent(QCloseEvent *event)
{
    if (m_busy) {
        m_closeWhenDone = true; // closes, or asks, once the page is written or the photos added
        event->ignore();
        return;
    }
    if (m_model->isModified() && !m_locked) {
        const QStringList answers{tr("Save"), tr("Discard"), tr("Cancel")};
        const int answer = Platform::instance().question(
            tr("The slide show \"%1\" has changes that are not saved.\n\nSave them before closing?")
                .arg(m_model->show().name),
            answers, 0, 2);
        if (answer != 1) {
            m_closeWhenDone = answer == 0 && save();
            event->ignore();
            return;
        }
    }
    // Copies made for slides that no saved page names go again.
    if (!m_locked)
        m_model->show().discardCopies();
    m_lock.reset();
    event->accept();
}
