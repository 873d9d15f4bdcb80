// SPDX-License-Identifier: MIT
#pragma once

#include "core/mediator.h"
#include "ui/stretchlayout.h"

#include <QImage>
#include <QMainWindow>

#include <memory>

class FullScreenPreview;
class PictureBox;
class PressGate;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;

/**
 * The main window: the preview of the image on show, its caption, the slide
 * show's name, the buttons that add or skip it, and the menus. There is one
 * for the whole run.
 */
class Form2 : public QMainWindow
{
    Q_OBJECT

public:
    /** The window, created and loaded (not shown) on first use. */
    static Form2 *instance();
    /** Destroys the window so that the next use creates it afresh. */
    static void unload();

    PictureBox *Picture1 = nullptr;
    QPushButton *btnView = nullptr;
    QGroupBox *Frame1[2] = {};
    QLabel *lblSlideShowName = nullptr;
    QLineEdit *txtSlideShowName = nullptr;
    PictureBox *PicBox = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *lblSizeBefore = nullptr;
    QLabel *lblDamaged = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *txtCaption = nullptr;
    PictureBox *pichidden = nullptr;
    QPushButton *Next = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *btnBack = nullptr;
    QStatusBar *StatusBar1 = nullptr;

    QMenu *mnuFile = nullptr;
    QAction *mnuOpen = nullptr;
    QAction *mnuEditShow = nullptr;
    QAction *mnuClose = nullptr;
    QAction *mnuExit = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnuUserGuide = nullptr;

    void btnView_Click();
    void Command4_Click();
    void Next_Click();
    void Command1_Click();
    void mnuOpen_Click();
    /** File > "Edit Slide Show...": a page chosen from the target folder, in an editor window of its own. */
    void mnuEditShow_Click();
    void mnuClose_Click();
    void mnuExit_Click();
    void mnuAbout_Click();
    void mnuUserGuide_Click();
    /** "Back" or Alt+Left: the previous image of the batch again. */
    void btnBack_Click();

    /** Fills the size label for the image on show, from its file and its already known pixel size. */
    void showImageSize(const QString &path, QSize pixels);
    void showStatus(const QString &text);
    /** While a batch runs the title names the show; stopping keeps the title as it is. */
    void followShowName(bool on);
    /** Shows and enables the buttons as the coordinator says. */
    void showButtons(const Mediator::Buttons &buttons);

    /** Shows the photo on show full screen (double-click on the preview, F11); F11 again returns. */
    void showPhotoFullScreen();
    FullScreenPreview *fullScreenPreview() const { return m_fullScreen; }
    /** The coordinator reports each image: on its way, arrived to be painted, or not loadable. */
    void imageLoading(const QString &path);
    void imageShown(const QString &path, const PreviewLoader::Picture &picture, QSize pixels);
    void imageFailed(const QString &path);
    /** A caption offered or restored, selected so that typing replaces it. */
    void suggestCaption(const QString &caption);
    void restoreCaption(const QString &caption);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Form2();
    void buildControls();
    void buildMenus();
    void connectToMediator();
    void showTitle();

    bool m_titleFollowsName = false;

    void fitToScreen();
    void followInFullScreen();

    QWidget *m_client = nullptr;
    QSize m_designedClient;
    StretchLayout m_stretch;
    QImage m_background;
    FullScreenPreview *m_fullScreen = nullptr;
    bool m_fitted = false;

    PressGate *m_pressGate = nullptr;
};
