// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>

#include <memory>

class QAction;
class QLineEdit;
class QListView;
class SlideListModel;
class TargetLock;

/**
 * The window in which a finished slide show is edited: its slides listed with
 * thumbnail, file name and caption, captions edited in place, slides moved,
 * removed and added from a folder, the show renamed, every change undoable,
 * and the page saved as a batch would have written it. It works on a page of
 * its own, never through the main window's boxes. While it is open it holds
 * the show's folder, so that no batch writes there meanwhile; a folder a
 * batch holds is opened read-only.
 */
class ShowEditor : public QMainWindow
{
    Q_OBJECT

public:
    /**
     * Opens the page at path in a new editor, shown once the page is read
     * (off the window's thread). A page this program did not write is
     * refused with a message, and no window stays.
     */
    static ShowEditor *open(const QString &path);
    /**
     * Closes every editor, each asking about changes not saved, and waits
     * for the pages being saved; false when one stays open (Cancel, or its
     * page could not be written), and then the program should go on.
     */
    static bool closeAll();
    ~ShowEditor() override;

    SlideListModel *model() const { return m_model; }
    QListView *slideList() const { return m_list; }
    bool isReadOnly() const;

    QLineEdit *txtShowName = nullptr;
    QAction *actSave = nullptr;
    QAction *actUndo = nullptr;
    QAction *actRedo = nullptr;
    QAction *actAddPhotos = nullptr;
    QAction *actRemove = nullptr;
    QAction *actMoveUp = nullptr;
    QAction *actMoveDown = nullptr;

    /**
     * Ctrl+S: writes the page off the window's thread, the list taking no
     * change meanwhile; saved() tells how it went, after a message when it
     * could not be written. False when no save was started.
     */
    bool save();
    /** True while a save or photos being added run: the list takes no change meanwhile. */
    bool isBusy() const { return m_busy; }
    /** Asks for a folder and adds its photos after the selected slide, copied off the window's thread. */
    void addPhotos();
    void removeSelected();
    /** Moves the selected slide by step places, up (-1) or down (1). */
    void moveSelected(int step);

signals:
    /** The page has been read and its slides are listed. */
    void opened();
    /** A save has ended: ok when the page was written. */
    void saved(bool ok);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    explicit ShowEditor(const QString &path);
    void buildWindow();
    void startReading();
    void showTitle();
    int selectedRow() const;
    /** Lets the list, the name and the actions take changes, or not. */
    void setEditable(bool on);
    /** A save or an add has ended: changes are taken again, and a close asked for meanwhile follows. */
    void done();
    void select(int row);

    QString m_path;
    SlideListModel *m_model = nullptr;
    QListView *m_list = nullptr;
    std::unique_ptr<TargetLock> m_lock;
    QString m_photoFolder;
    bool m_locked = false;
    bool m_busy = false;
    bool m_closeWhenDone = false;
};
