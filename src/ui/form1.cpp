// SPDX-License-Identifier: MIT
#include "ui/form1.h"

#include "core/general.h"
#include "document/imagecopy.h"
#include "ui/accessiblenames.h"
#include "ui/commandbutton.h"
#include "ui/controls.h"
#include "ui/folderdrop.h"
#include "ui/fonts.h"
#include "ui/form2.h"
#include "ui/twips.h"
#include "ui/typedfolder.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

namespace {
QPointer<Form1> s_instance;
}

Form1 *Form1::instance()
{
    if (!s_instance)
        s_instance = new Form1(Form2::instance());
    return s_instance;
}

Form1::Form1(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(tr("Images"));
    setFont(Fonts::dialog());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(palette);
    setAutoFillBackground(true);
    setFixedSize(Twips::toPixels(6690), Twips::toPixels(4350)); // room for the two options below the buttons

    Frame1 = new QGroupBox(tr("Select folders:"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(Twips::rect(120, 120, 3735, 2655));
    Label2 = Controls::place<QLabel>(Frame1, "Label2", Twips::rect(360, 480, 975, 255), tr("S&ource:"));
    txtSrcFolder = Controls::place<QLineEdit>(Frame1, "txtSrcFolder", Twips::rect(480, 720, 2295, 405));
    btnSource = Controls::place<CommandButton>(Frame1, "btnSource", Twips::rect(2880, 720, 735, 375), tr("Se&lect..."));
    Label1 = Controls::place<QLabel>(Frame1, "Label1", Twips::rect(360, 1200, 1095, 255), tr("Ta&rget:"));
    txtTgtFolder = Controls::place<QLineEdit>(Frame1, "txtTgtFolder", Twips::rect(480, 1440, 2295, 375));
    btnTarget = Controls::place<CommandButton>(Frame1, "btnTarget", Twips::rect(2880, 1440, 735, 375), tr("Selec&t..."));

    Label3 = Controls::place<QLabel>(this, "Label3", Twips::rect(4080, 120, 1335, 255), tr("Found &images:"));
    List1 = Controls::place<QListWidget>(this, "List1", Twips::rect(3960, 360, 2535, 2370));
    List1->setUniformItemSizes(true);
    Command1 = Controls::place<CommandButton>(this, "Command1", Twips::rect(1320, 3000, 1215, 495), tr("&Start"));
    // Enter starts the batch wherever the focus is; Escape cancels (QDialog's reject hides).
    Command1->setDefault(true);
    Command2 = Controls::place<CommandButton>(this, "Command2", Twips::rect(5280, 3000, 1215, 495), tr("&Cancel"));
    Command2->setAutoDefault(false);
    // Between the buttons, where nothing else stands.
    lblLeftOut = Controls::place<QLabel>(this, "lblLeftOut", Twips::rect(2640, 3000, 2535, 495));
    lblLeftOut->setWordWrap(true);
    lblLeftOut->setAlignment(Qt::AlignCenter);
    chkWebSized = Controls::place<QCheckBox>(this, "chkWebSized", Twips::rect(240, 3630, 6255, 300),
                                             tr("&Web-sized photos (longest side 2048 px)"));
    chkWebSized->setChecked(objMediator->webSized()); // as the last run left it
    // A continued show's size is shown, not chosen: it is never kept as the person's choice.
    connect(chkWebSized, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_sizeForced)
            objMediator->setWebSized(on);
    });
    // Greyed out, yet readable on the grey dialog, so the user sees what the option is before it can be ticked.
    QPalette readable = chkWebSized->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        readable.setColor(QPalette::Disabled, role, QColor(88, 88, 88));
    chkWebSized->setPalette(readable);
    chkOfferSkipped = Controls::place<QCheckBox>(this, "chkOfferSkipped", Twips::rect(240, 3930, 6255, 300),
                                                 tr("Offer skipped photos a&gain"));
    chkOfferSkipped->setToolTip(tr("When a slide show is continued, photos skipped in its earlier "
                                               "sittings are offered too."));

    setTabOrder(Command1, Command2);
    setTabOrder(Command2, txtSrcFolder);
    setTabOrder(txtSrcFolder, txtTgtFolder);

    connect(btnSource, &QPushButton::clicked, this, &Form1::btnSource_Click);
    connect(btnTarget, &QPushButton::clicked, this, &Form1::btnTarget_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(txtSrcFolder, &QLineEdit::textChanged, this, &Form1::updateWebSized);
    connect(txtTgtFolder, &QLineEdit::textChanged, this, &Form1::updateWebSized);
    updateWebSized();

    new TypedFolder(txtSrcFolder, [] { return objMediator->GetSourceFolder(); },
                    [this](const QString &folder) { takeSource(folder); });
    new TypedFolder(txtTgtFolder, [] { return objMediator->GetTgtFolder(); }, [](const QString &folder) {
        General::runHandler([&folder] { objMediator->takeTargetFolder(folder); });
    });
    new FolderDrop(this, [this](const QString &folder) { takeSource(folder); });

    Mediator *md = objMediator.get();
    txtSrcFolder->setText(md->GetSourceFolder());
    txtTgtFolder->setText(md->GetTgtFolder());
    connect(md, &Mediator::sourceFolderChanged, txtSrcFolder, &QLineEdit::setText);
    connect(md, &Mediator::targetFolderChanged, txtTgtFolder, &QLineEdit::setText);
    connect(md, &Mediator::listingCleared, this, [this] { showListing({}, {}); });
    connect(md, &Mediator::listingReady, this, &Form1::showListing);
    connect(md, &Mediator::listingTrimmed, this, &Form1::trimListing);
    connect(md, &Mediator::sizeFollowsShow, this, &Form1::followShowsSize);
    md->listSource(); // the folder kept from the last run
    AccessibleNames::give(this);
}

void Form1::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Command1->setFocus(Qt::OtherFocusReason);
}

namespace {
/** Runs one way of choosing the source. The listing's failures arrive with the listing. */
void chooseSource(const std::function<void()> &choice)
{
    General::runHandler(choice);
    Form1::instance()->Command1->setFocus(); // folders chosen: Enter starts
}
}

void Form1::btnSource_Click()
{
    chooseSource([this] { objMediator->SourceFolder(txtSrcFolder->text()); });
}

void Form1::takeSource(const QString &folder)
{
    chooseSource([&folder] { objMediator->takeSourceFolder(folder); });
}

void Form1::btnTarget_Click()
{
    General::runHandler([this] { objMediator->TargetFolder(txtTgtFolder->text()); });
    Command1->setFocus();
}

void Form1::updateWebSized()
{
    const QString source = txtSrcFolder->text();
    const QString target = txtTgtFolder->text();
    const bool own = !target.isEmpty() && source != target && !ImageCopy::sameFile(source, target);
    chkWebSized->setEnabled(!m_sizeForced);
    if (m_sizeForced)
        chkWebSized->setToolTip(tr("The slide show being continued keeps the size of its photos."));
    else
        chkWebSized->setToolTip(own ? tr("Writes each added photo as a JPEG of at most 2048 px, with a thumbnail; "
                                                 "the originals stay as they are.")
                                : tr("Writes each added photo as a JPEG of at most 2048 px, with a thumbnail, "
                                                 "into the folder SlideShow-photos beside the page; the originals stay "
                                                 "as they are."));
}

void Form1::followShowsSize(bool on, bool webSized)
{
    m_sizeForced = on; // first, so the box set here is not taken as the person's choice
    chkWebSized->setChecked(on ? webSized : objMediator->webSized());
    updateWebSized();
}

void Form1::Command1_Click()
{
    General::runHandler([this] {
        // Until the batch has started (questions answered, the page made) the dialog stays open.
        if (objMediator->startBatch(objMediator->webSized(), chkOfferSkipped->isChecked()))
            hide();
    });
}

void Form1::showLeftOut(const std::vector<ImageFolder::LeftOut> &leftOut)
{
    int unreadable = 0;
    QStringList lines;
    for (const ImageFolder::LeftOut &file : leftOut) {
        const bool name = file.reason == ImageFolder::Reason::UnreadableName;
        unreadable += name;
        lines << file.name + (name ? tr(": its name is not valid in this system's encoding; rename it")
                                   : tr(": not an ordinary file"));
    }
    const qsizetype n = leftOut.size();
    QString text;
    if (n > 0) {
        const QString count = n == 1 ? tr("1 photo left out") : tr("%1 photos left out").arg(n);
        if (unreadable == n)
            text = count + (n == 1 ? tr(": its name cannot be read") : tr(": names cannot be read"));
        else if (unreadable == 0)
            text = count + (n == 1 ? tr(": not an ordinary file") : tr(": not ordinary files"));
        else
            text = count + tr(": unreadable names, not ordinary files");
    }
    lblLeftOut->setText(text);
    lblLeftOut->setToolTip(Controls::plainToolTip(lines.join(QLatin1Char('\n'))));
}

void Form1::showListing(const QStringList &names, const std::vector<ImageFolder::LeftOut> &leftOut)
{
    List1->clear();
    List1->addItems(names);
    showLeftOut(leftOut);
}

void Form1::trimListing(const QSet<QString> &names)
{
    for (int row = List1->count() - 1; row >= 0; --row) {
        if (names.contains(List1->item(row)->text()))
            delete List1->takeItem(row);
    }
}

void Form1::Command2_Click()
{
    hide();
}
