// SPDX-License-Identifier: MIT
#include "ui/form2.h"

#include "core/general.h"
#include "imaging/prefetcher.h"
#include "modes/statustexts.h"
#include "platform/platform.h"
#include "ui/accessiblenames.h"
#include "ui/captiondirection.h"
#include "ui/commandbutton.h"
#include "ui/controls.h"
#include "ui/folderdrop.h"
#include "ui/fonts.h"
#include "ui/fullscreenpreview.h"
#include "ui/form1.h"
#include "ui/frmabout.h"
#include "ui/picturebox.h"
#include "ui/pressgate.h"
#include "ui/previewpainter.h"
#include "ui/showeditor.h"
#include "ui/twips.h"
#include "ui/windowplace.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>

#include <limits>

namespace {
QPointer<Form2> s_instance;
}

Form2 *Form2::instance()
{
    if (!s_instance)
        s_instance = new Form2;
    return s_instance;
}

void Form2::unload()
{
    Prefetcher::shared().finish(); // no decode may report to a window that is gone
    delete s_instance.data();
}

Form2::Form2()
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Fotoweave"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/images/icon32.jpg"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/images/icon16.jpg"), QSize(16, 16));
    // At twice the density the 16 picture is drawn from the 32 one, the 32 from its @2x version.
    icon.addFile(QStringLiteral(":/images/icon32@2x.jpg"), QSize(64, 64));
    setWindowIcon(icon);
    setFont(Fonts::dialog());
    buildControls();
    buildMenus();
    connectToMediator();
    // Opens at the designed size; from there it can grow, be maximised, or
    // shrink to fit a small screen (see fitToScreen).
    const QSize designed = sizeHint();
    m_client->setMinimumSize(0, 0);
    m_client->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(designed);
    setMinimumSize(designed);
    // Where the last run left it, maximised or not; the first run opens at the designed size.
    const Settings &kept = objMediator->settings();
    if (kept.windowGeometry.isValid())
        setGeometry(WindowPlace::onScreen(kept.windowGeometry));
    if (kept.maximised)
        setWindowState(windowState() | Qt::WindowMaximized);
    connect(objMediator.get(), &Mediator::ending, this, [this] { objMediator->keepWindow(normalGeometry(), isMaximized()); });
    // A folder dropped onto the window opens the Images window with it as the source.
    new FolderDrop(this, [this](const QString &folder) {
        Form1::instance()->takeSource(folder);
        mnuOpen_Click();
    });
    AccessibleNames::give(this);
}

void Form2::buildControls()
{
    auto *client = new QWidget(this);
    m_client = client;
    client->setObjectName(QStringLiteral("client"));
    m_designedClient = QSize(Twips::toPixels(9075), Twips::toPixels(6930));
    client->setFixedSize(m_designedClient);
    m_background = PictureBox::resourceImage(QStringLiteral(":/images/background.jpg"), devicePixelRatioF());
    client->setAutoFillBackground(true);
    client->installEventFilter(this);
    setCentralWidget(client);

    Picture1 = Controls::place<PictureBox>(client, "Picture1", Twips::rect(0, 240, 2775, 4215));
    Picture1->setPictureResource(QStringLiteral(":/images/picture1.jpg"));
    // Shorter than designed (a small screen at 200 %), the film strip is shown whole, smaller.
    Picture1->setRedraw([this] {
        const QSizeF strip = Picture1->picture().deviceIndependentSize();
        if (strip.height() <= Picture1->height() && strip.width() <= Picture1->width())
            return; // drawn whole already
        const QSizeF fitted = strip.scaled(QSizeF(Picture1->size()), Qt::KeepAspectRatio);
        Picture1->fillBox(QRectF(0, 0, Picture1->scaleWidth(), Picture1->scaleHeight()), Qt::white);
        Picture1->paintPicture(Picture1->picture(), QRectF((Picture1->width() - fitted.width()) / 2 * Twips::PerPixel, 0,
                                                           fitted.width() * Twips::PerPixel, fitted.height() * Twips::PerPixel));
    });

    btnView = Controls::place<CommandButton>(client, "btnView", Twips::rect(720, 5400, 1335, 615));
    btnView->setText(tr("&View SlideShow"));

    Frame1[0] = Controls::place<QGroupBox>(client, "Frame1_0", Twips::rect(2640, 120, 6255, 5775));
    Frame1[1] = Controls::place<QGroupBox>(Frame1[0], "Frame1_1", Twips::rect(120, 120, 6015, 5535));
    QWidget *inner = Frame1[1];

    lblSlideShowName = Controls::place<QLabel>(inner, "lblSlideShowName", Twips::rect(360, 480, 1335, 255));
    lblSlideShowName->setText(tr("Slide Show Name:"));
    txtSlideShowName = Controls::place<QLineEdit>(inner, "txtSlideShowName", Twips::rect(1800, 480, 3615, 375));
    txtSlideShowName->setText(QStringLiteral("My Slide Show"));
    txtSlideShowName->setMaxLength(std::numeric_limits<int>::max()); // never cut what is typed or pasted

    PicBox = Controls::place<PictureBox>(inner, "PicBox", Twips::rect(1800, 960, 3615, 3375));
    PicBox->setBackColor(QColor(192, 192, 192));

    Label5 = Controls::place<QLabel>(inner, "Label5", Twips::rect(1800, 4320, 975, 255));
    Label5->setText(tr("Image size:"));
    lblSizeBefore = Controls::place<QLabel>(inner, "lblSizeBefore", Twips::rect(2760, 4320, 2655, 255));
    // Between the size and the caption: says when only part of the photo could be read.
    lblDamaged = Controls::place<QLabel>(inner, "lblDamaged", Twips::rect(1800, 4575, 3615, 225));
    lblDamaged->setStyleSheet(QStringLiteral("color: #b00000"));

    Label1 = Controls::place<QLabel>(inner, "Label1", Twips::rect(840, 4800, 855, 255));
    Label1->setText(tr("Caption"));
    Label1->setFont(Fonts::arial());
    txtCaption = Controls::place<QLineEdit>(inner, "txtCaption", Twips::rect(1800, 4800, 3615, 375));
    txtCaption->setMaxLength(std::numeric_limits<int>::max());

    pichidden = Controls::place<PictureBox>(inner, "pichidden", Twips::rect(1680, 4920, 3495, 1815));
    pichidden->setAutoSize(true);
    pichidden->setVisible(false);

    Next = Controls::place<CommandButton>(client, "Next", Twips::rect(4080, 6000, 1335, 495));
    Next->setText(tr("&Skip"));
    Command4 = Controls::place<CommandButton>(client, "Command4", Twips::rect(5640, 6000, 1455, 495));
    Command4->setText(tr("&Add to SlideShow"));
    Command4->setFont(Fonts::arial());
    Command1 = Controls::place<CommandButton>(client, "Command1", Twips::rect(7440, 6000, 1335, 495));
    Command1->setText(tr("E&xit"));
    // Left of "Skip", in the free space under the frame; the other buttons keep their places.
    btnBack = Controls::place<CommandButton>(client, "btnBack", Twips::rect(2520, 6000, 1335, 495));
    btnBack->setText(tr("&Back"));
    btnBack->setEnabled(false);
    // Tab goes as the eye does: the caption, then the buttons from left to right.
    QWidget *const order[] = {txtSlideShowName, txtCaption, btnBack, Next, Command4, Command1, btnView};
    // Enter presses the button that has the focus, as Space does.
    for (QPushButton *button : {btnBack, Next, Command4, Command1, btnView})
        button->setAutoDefault(true);
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    StatusBar1 = Controls::place<QStatusBar>(client, "StatusBar1", Twips::rect(0, 6555, 9075, 375));
    StatusBar1->setSizeGripEnabled(false);
    auto *panel = new QLabel(StatusBar1);
    panel->setObjectName(QStringLiteral("StatusBar1_Panel1"));
    panel->setTextFormat(Qt::PlainText); // file names are shown as they are, never as markup
    StatusBar1->addWidget(panel, 1);

    // As the window grows the work area, the preview, the size label and the
    // text boxes stretch; the buttons keep to the bottom right, the film strip to the left.
    m_stretch.add(Picture1, StretchLayout::ShortensOnly);
    m_stretch.add(btnView, StretchLayout::MovesDown);
    m_stretch.add(Frame1[0], StretchLayout::Widens | StretchLayout::Heightens);
    m_stretch.add(Frame1[1], StretchLayout::Widens | StretchLayout::Heightens);
    m_stretch.add(txtSlideShowName, StretchLayout::Widens);
    m_stretch.add(PicBox, StretchLayout::Widens | StretchLayout::Heightens);
    for (QWidget *below : {static_cast<QWidget *>(Label5), static_cast<QWidget *>(Label1),
                           static_cast<QWidget *>(pichidden)})
        m_stretch.add(below, StretchLayout::MovesDown);
    m_stretch.add(lblSizeBefore, StretchLayout::MovesDown | StretchLayout::Widens);
    m_stretch.add(lblDamaged, StretchLayout::MovesDown | StretchLayout::Widens);
    m_stretch.add(txtCaption, StretchLayout::MovesDown | StretchLayout::Widens);
    for (QWidget *button : {btnBack, Next, Command4, Command1})
        m_stretch.add(button, StretchLayout::MovesRight | StretchLayout::MovesDown);
    m_stretch.add(StatusBar1, StretchLayout::MovesDown | StretchLayout::Widens);

    txtCaption->installEventFilter(this);
    CaptionDirection::follow(txtCaption);
    m_fullScreen = new FullScreenPreview(this);
    connect(PicBox, &PictureBox::doubleClicked, this, &Form2::showPhotoFullScreen);
    connect(m_fullScreen, &FullScreenPreview::addRequested, this, [this] {
        if (objMediator->buttons().addEnabled) {
            Command4_Click();
            followInFullScreen();
        }
    });
    connect(m_fullScreen, &FullScreenPreview::backRequested, this, [this] {
        if (objMediator->buttons().backEnabled) {
            btnBack_Click();
            followInFullScreen();
        }
    });
    connect(m_fullScreen, &FullScreenPreview::skipRequested, this, [this] {
        if (objMediator->batchRuns()) {
            Next_Click();
            followInFullScreen();
        }
    });
    // One caption, typed in either box.
    connect(m_fullScreen->caption(), &QLineEdit::textEdited, this, [this](const QString &text) {
        txtCaption->setText(text);
        txtCaption->setModified(true);
    });
    connect(txtCaption, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (m_fullScreen->caption()->text() != text)
            m_fullScreen->caption()->setText(text);
    });
    connect(m_fullScreen, &FullScreenPreview::left, this, [this] {
        activateWindow();
        // The keys work again without a click: in the caption, or on Skip for a photo that cannot be added.
        if (objMediator->buttons().addEnabled || !Next->isEnabled())
            txtCaption->setFocus();
        else
            Next->setFocus();
    });

    m_pressGate = new PressGate(this);
    m_pressGate->watch(Next, false);
    m_pressGate->watch(Command4, true);
    m_pressGate->watch(txtCaption, true);

    connect(btnView, &QPushButton::clicked, this, &Form2::btnView_Click);
    connect(Command4, &QPushButton::clicked, this, &Form2::Command4_Click);
    connect(Next, &QPushButton::clicked, this, &Form2::Next_Click);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(btnBack, &QPushButton::clicked, this, &Form2::btnBack_Click);
    // As in a web browser; the caption box does not use Alt+Left, so it works while typing too.
    auto *back = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), this);
    connect(back, &QShortcut::activated, this, [this] {
        if (objMediator->buttons().backEnabled)
            btnBack_Click();
    });
    // Its counterpart skips (so does Alt+S); Ctrl+arrows stay word jumps in the caption.
    auto *skip = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), this);
    connect(skip, &QShortcut::activated, this, [this] {
        if (objMediator->batchRuns())
            Next_Click();
    });
    connect(txtSlideShowName, &QLineEdit::textChanged, this, [this](const QString &name) {
        objMediator->setShowName(name);
        showTitle();
    });
    // Enter after typing a caption adds the image, as the button would.
    connect(txtCaption, &QLineEdit::returnPressed, this, [this] {
        if (objMediator->buttons().addEnabled)
            Command4_Click();
    });
}

void Form2::buildMenus()
{
    mnuFile = menuBar()->addMenu(tr("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuOpen = mnuFile->addAction(tr("&Open"), this, &Form2::mnuOpen_Click);
    mnuOpen->setObjectName(QStringLiteral("mnuOpen"));
    mnuOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuEditShow = mnuFile->addAction(tr("&Edit Slide Show..."), this, &Form2::mnuEditShow_Click);
    mnuEditShow->setObjectName(QStringLiteral("mnuEditShow"));
    mnuEditShow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    mnuClose = mnuFile->addAction(tr("&Close"), this, &Form2::mnuClose_Click);
    mnuClose->setObjectName(QStringLiteral("mnuClose"));
    mnuClose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    mnuExit = mnuFile->addAction(tr("E&xit"), this, &Form2::mnuExit_Click);
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    mnuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    mnuHelp = menuBar()->addMenu(tr("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuAbout = mnuHelp->addAction(tr("&About"), this, &Form2::mnuAbout_Click);
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
    mnuUserGuide = mnuHelp->addAction(tr("&UserGuide"), this, &Form2::mnuUserGuide_Click);
    mnuUserGuide->setObjectName(QStringLiteral("mnuUserGuide"));
    mnuUserGuide->setShortcut(QKeySequence(Qt::Key_F1));

    auto *fullScreen = new QAction(this);
    fullScreen->setObjectName(QStringLiteral("actFullScreen"));
    fullScreen->setShortcut(QKeySequence(Qt::Key_F11));
    connect(fullScreen, &QAction::triggered, this, &Form2::showPhotoFullScreen);
    addAction(fullScreen);
}

void Form2::connectToMediator()
{
    Mediator *md = objMediator.get();
    connect(md, &Mediator::buttonsChanged, this, &Form2::showButtons);
    connect(md, &Mediator::pictureCleared, PicBox, &PictureBox::clearPicture);
    connect(md, &Mediator::sizeCleared, lblSizeBefore, &QLabel::clear);
    connect(md, &Mediator::statusChanged, this, &Form2::showStatus);
    connect(md, &Mediator::titleFollowsName, this, &Form2::followShowName);
    connect(md, &Mediator::titleFollowsName, this, [this](bool batchStarts) {
        // Once the Images window has gone, the first key goes to the caption, with or without a window manager.
        if (batchStarts)
            QTimer::singleShot(0, this, [this] {
                if (QApplication::activeModalWidget() || m_fullScreen->isVisible())
                    return;
                raise();
                activateWindow();
                txtCaption->setFocus();
            });
    });
    connect(md, &Mediator::titleReset, this, [this] { setWindowTitle(QStringLiteral("Fotoweave")); });
    connect(md, &Mediator::imageLoading, this, &Form2::imageLoading);
    connect(md, &Mediator::imageShown, this, &Form2::imageShown);
    connect(md, &Mediator::imageFailed, this, &Form2::imageFailed);
    connect(md, &Mediator::positionChanged, this, [this](int number, int count, const QString &path) {
        m_fullScreen->setPosition(tr("%1 of %2 · %3").arg(number).arg(count).arg(QFileInfo(path).fileName()));
    });
    connect(md, &Mediator::captionSuggested, this, &Form2::suggestCaption);
    connect(md, &Mediator::captionRestored, this, &Form2::restoreCaption);
    connect(md, &Mediator::showNameRestored, txtSlideShowName, &QLineEdit::setText);
    md->setShowName(txtSlideShowName->text());
    showButtons(md->buttons());
}

void Form2::showButtons(const Mediator::Buttons &buttons)
{
    Next->setVisible(buttons.skipVisible);
    Next->setEnabled(buttons.skipEnabled);
    Command4->setEnabled(buttons.addEnabled);
    btnView->setVisible(buttons.viewVisible);
    btnView->setEnabled(buttons.viewEnabled);
    btnBack->setVisible(buttons.backVisible);
    btnBack->setEnabled(buttons.backEnabled);
}

void Form2::btnView_Click()
{
    // The page this batch wrote, wherever the dialog's folders point now.
    General::runHandler([] { objMediator->viewSlideShow(); });
}

void Form2::imageLoading(const QString &path)
{
    // Setting the text also forgets the undo history: Ctrl+Z must not bring back the previous image's caption.
    txtCaption->setText(QString());
    txtCaption->setFocus(); // ready for this image's caption, even while it loads
    lblSizeBefore->clear();
    lblDamaged->clear();
    PicBox->setLoadingText(tr("Loading %1…").arg(QFileInfo(path).fileName()));
    // Decoded for the preview box as it is now: its square and the screen's pixel density.
    Prefetcher::shared().setTarget(PreviewPainter::target(PicBox));
    m_pressGate->imageLoading();
}

void Form2::imageShown(const QString &path, const PreviewLoader::Picture &picture, QSize pixels)
{
    PicBox->setLoadingText(QString());
    pichidden->setPicture(picture.image);
    PreviewPainter::of(PicBox)->show(picture, path);
    PicBox->setVisible(true);
    showImageSize(path, pixels);
    lblDamaged->setText(picture.damaged ? Mediator::damagedShown() : QString());
    PicBox->repaint(); // on the screen before the moment is taken
    m_pressGate->imageShown();
}

void Form2::imageFailed(const QString &path)
{
    // Nothing of another image may stand for it; it cannot be added, so Skip is the key to press.
    PicBox->clearPicture();
    PicBox->setLoadingText(Mediator::unreadableShown() + QLatin1Char('\n') + QFileInfo(path).fileName());
    if (Next->isEnabled())
        Next->setFocus();
    m_pressGate->imageShown();
}

void Form2::suggestCaption(const QString &caption)
{
    restoreCaption(caption);
    txtCaption->setProperty("suggestion", caption);
}

void Form2::restoreCaption(const QString &caption)
{
    txtCaption->setText(caption);
    txtCaption->selectAll(); // typing replaces it
    m_fullScreen->caption()->selectAll();
}

void Form2::mnuEditShow_Click()
{
    const QString path = Platform::instance().browseForFile(tr("Choose the slide show to edit"),
                                                            objMediator->GetTgtFolder(),
                                                            tr("Slide show pages (*.htm *.html)"));
    if (!path.isEmpty())
        ShowEditor::open(path);
}

void Form2::Command4_Click()
{
    General::runHandler([this] { objMediator->add(txtCaption->text()); });
}

void Form2::Next_Click()
{
    General::runHandler([] { objMediator->skip(); });
}

void Form2::btnBack_Click()
{
    General::runHandler([] { objMediator->Back(); });
}

void Form2::showImageSize(const QString &path, QSize pixels)
{
    lblSizeBefore->setText(StatusTexts::imageSize(pixels, QFileInfo(path).size()));
}

void Form2::showStatus(const QString &text)
{
    StatusBar1->findChild<QLabel *>(QStringLiteral("StatusBar1_Panel1"))->setText(text);
}

void Form2::followShowName(bool on)
{
    m_titleFollowsName = on;
    showTitle();
}

void Form2::showTitle()
{
    if (m_titleFollowsName)
        setWindowTitle(StatusTexts::windowTitle(txtSlideShowName->text()));
}

void Form2::Command1_Click()
{
    if (ShowEditor::closeAll()) // an editor with changes asks first
        objMediator->exit();
}

void Form2::mnuOpen_Click()
{
    General::runHandler([] {
        Form1 *dialog = Form1::instance();
        dialog->setWindowModality(Qt::ApplicationModal);
        dialog->show();
        dialog->activateWindow();
    });
}

void Form2::mnuClose_Click()
{
    General::runHandler([] { objMediator->close(); });
}

void Form2::mnuExit_Click()
{
    if (ShowEditor::closeAll()) // an editor with changes asks first
        objMediator->exit();
}

void Form2::mnuAbout_Click()
{
    General::runHandler([] {
        frmAbout *about = frmAbout::instance();
        about->show();
        about->raise();
    });
}

void Form2::mnuUserGuide_Click()
{
    General::runHandler([] { objMediator->openUserGuide(); });
}

void Form2::showPhotoFullScreen()
{
    if (m_fullScreen->isVisible()) {
        m_fullScreen->close(); // F11 again returns
        return;
    }
    const QString path = objMediator ? objMediator->GetSourceFile() : QString();
    if (path.isEmpty() || !objMediator->buttons().addEnabled)
        return; // nothing on show
    QLineEdit *caption = m_fullScreen->caption();
    caption->setText(txtCaption->text());
    if (txtCaption->selectedText() == txtCaption->text())
        caption->selectAll(); // a suggestion stays ready to be replaced
    m_fullScreen->showPhoto(path);
}

void Form2::followInFullScreen()
{
    if (objMediator->buttons().addEnabled)
        m_fullScreen->showPhoto(objMediator->GetSourceFile());
    else
        m_fullScreen->close(); // the batch is over
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtCaption && event->type() == QEvent::FocusIn && !txtCaption->isModified()
        && !txtCaption->text().isEmpty() && txtCaption->text() == txtCaption->property("suggestion").toString()) {
        // A suggested caption stays selected when the box gets the focus back, so typing still replaces it.
        QTimer::singleShot(0, txtCaption, [this] { txtCaption->selectAll(); });
    }
    if (watched == m_client && event->type() == QEvent::Resize) {
        m_stretch.apply(m_client->size() - m_designedClient);
        // The background is one picture stretched over the window, not tiles.
        QPalette palette = m_client->palette();
        const qreal ratio = devicePixelRatioF();
        QImage background = m_background.scaled(m_client->size() * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        background.setDevicePixelRatio(ratio);
        palette.setBrush(QPalette::Window, QBrush(QPixmap::fromImage(background)));
        m_client->setPalette(palette);
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form2::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_fitted) {
        m_fitted = true;
        fitToScreen();
        activateWindow(); // the keys work from the start, with no window manager too
    }
}

void Form2::fitToScreen()
{
    // On a screen smaller than the designed window (a small laptop at 200 %)
    // the window starts smaller, so that no control is out of reach.
    const QRect available = screen()->availableGeometry();
    QSize frame = frameGeometry().size() - geometry().size();
    if (frame.height() <= 0)
        frame = QSize(0, 32); // not yet framed by the window manager: allow for a title bar
    const QSize room = available.size() - frame;
    setMinimumSize(minimumSize().boundedTo(room));
    if (width() > room.width() || height() > room.height()) {
        resize(size().boundedTo(room));
        move(available.topLeft());
    }
}

void Form2::closeEvent(QCloseEvent *event)
{
    if (!ShowEditor::closeAll()) {
        event->ignore();
        return;
    }
    event->accept();
    objMediator->exit();
}
