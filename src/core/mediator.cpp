// SPDX-License-Identifier: MIT
#include "core/mediator.h"

#include "commands/chain.h"
#include "commands/command.h"
#include "imaging/folderlisting.h"
#include "imaging/imagefolder.h"
#include "core/source.h"
#include "document/decobj2.h"
#include "document/slideshow.h"
#include "imaging/prefetcher.h"
#include "imaging/webcopy.h"
#include "modes/batchsteps.h"
#include "modes/state2.h"
#include "modes/statemanager.h"
#include "platform/platform.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/picturebox.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
/**
 * The platform writes paths into fixed buffers: keep what precedes a NUL.
 * Nothing else is cut, so a folder whose name ends in a space stays itself.
 */
QString fromBuffer(const QString &buffer)
{
    QString text = buffer;
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

/** True when the file-type chain accepts the name's extension. */
bool offered(const QString &name)
{
    return Chain::acceptsExtension(ImageFolder::extensionName(name));
}
}

Mediator::Mediator() : m_slideShow(std::make_unique<SlideShow>()) {}
Mediator::~Mediator() = default;

void Mediator::init()
{
    const QString temp = fromBuffer(Platform::instance().tempFolder().trimmed());

    StateMgr = std::make_unique<StateManager>();
    StateMgr->init(this);
    Src = std::make_unique<Source>();
    SetTempFolder(temp);
    StartStateThree();
}

void Mediator::startStateOne()
{
    // Single-image mode: no window leads here.
    m_slideShow->resetCount();
    Form2::instance()->PicBox->clearPicture();
    StateMgr->setStateOne();
}

void Mediator::StartStateTwo()
{
    Form2 *form = Form2::instance();
    m_slideShow->resetCount();
    form->PicBox->clearPicture();
    form->Next->setVisible(true);
    form->Next->setEnabled(true);
    form->Command4->setEnabled(true);
    form->btnView->setVisible(false);
    form->btnView->setEnabled(false);
    form->btnBack->setVisible(true); // beside "Skip", shown and hidden with it
    form->btnBack->setEnabled(false);
    form->showStatus(QString());
    form->followShowName(true);
    StateMgr->SetStateTwo();
}

void Mediator::StartStateThree()
{
    Form2 *form = Form2::instance();
    form->PicBox->clearPicture();
    form->Next->setVisible(true);
    form->Next->setEnabled(true);
    form->btnView->setVisible(false);
    form->btnView->setEnabled(false);
    form->Next->setVisible(false);
    form->Command4->setEnabled(false);
    form->btnBack->setVisible(false);
    form->btnBack->setEnabled(false);
    form->lblSizeBefore->clear();
    form->showStatus(QString());
    form->followShowName(false);
    form->setWindowTitle(QStringLiteral("Fotoweave"));
    batchSteps().clear(); // a batch set aside cannot be gone back into
    m_slideShow->resetCount();
    Prefetcher::shared().drop(); // the batch is set aside
    FolderListing::shared().drop();
}

void Mediator::StartStateFour()
{
    Form2 *form = Form2::instance();
    form->Next->setEnabled(false);
    form->Command4->setEnabled(false);
    form->btnView->setVisible(true);
    form->btnView->setEnabled(true);
    form->btnBack->setEnabled(false); // the page is complete
    form->followShowName(false);
}

void Mediator::Back()
{
    if (StateMgr->current() == StateMgr->two())
        static_cast<State2 *>(StateMgr->two())->Back();
}

BatchSteps &Mediator::batchSteps() const
{
    return static_cast<State2 *>(StateMgr->two())->steps();
}

void Mediator::createSlideShow()
{
    m_slideShow->create(GetTgtFolder(), Form2::instance()->txtSlideShowName->text());
    if (const std::optional<QString> &name = m_slideShow->continuedName())
        Form2::instance()->txtSlideShowName->setText(*name);
}

void Mediator::addToSlideShow(const QString &caption)
{
    auto entry = std::make_shared<DecObj2>();
    entry->init(GetSourceFile(), caption, *m_slideShow);
    entry->Execute();
    batchSteps().added(entry->added().offset, caption, entry->added().createdCopies);
}

void Mediator::registerCmd1(std::shared_ptr<Command> c) { RegCmd1 = std::move(c); }
void Mediator::registerCmd2(std::shared_ptr<Command> c) { RegCmd2 = std::move(c); }

void Mediator::Command1(QString &str) { StateMgr->Command1(str); }
void Mediator::Command2(QString &str) { StateMgr->Command2(str); }
void Mediator::Command3() { StateMgr->Command3(); }

void Mediator::SetSourceFolder(const QString &strFolder) { Src->SetSourceFolder(strFolder); }
QString Mediator::GetSourceFolder() const { return Src->GetSourceFolder(); }
void Mediator::SetTgtFolder(const QString &strFolder) { Src->TgtFolder = strFolder; }
QString Mediator::GetTgtFolder() const { return Src->GetTgtFolder().toString(); }
void Mediator::SetSourceFile(const QString &strFile)
{
    Src->SetSourceFile(strFile);
    WebCopy::shared().prepare(strFile); // the image is on show: start its web-sized copy
}
QString Mediator::GetSourceFile() const { return Src->GetSourceFile(); }
void Mediator::SetTgtFile(const QString &strFile) { Src->TgtFile = strFile; }
QString Mediator::GetTgtFile() const { return Src->GetTgtFile().toString(); }
void Mediator::SetTempFolder(const QString &strTemp) { TempFolder = strTemp; }
QString Mediator::GetTempFolder() const { return TempFolder; }

void Mediator::SingleSourceFile()
{
    // Reached by no window: the start chooser that would call it is never shown.
    startStateOne();
}

QString Mediator::BrowseForFolder(const QString &szPrompt, const QString &startFolder)
{
    return fromBuffer(Platform::instance().browseForFolder(szPrompt, startFolder));
}

void Mediator::TargetFolder()
{
    const QString folder
        = BrowseForFolder(QStringLiteral("Select a Target Folder"), Form1::instance()->txtTgtFolder->text());
    if (folder.isEmpty())
        return; // cancelled: the target stays as it was
    takeTargetFolder(folder);
}

void Mediator::takeTargetFolder(const QString &folder)
{
    Form1::instance()->txtTgtFolder->setText(folder);
    SetTgtFolder(folder);
}

void Mediator::SourceFolder()
{
    // The image of a running batch stays on show: the folder is for the next batch.
    if (!Form2::instance()->showsBatch())
        Form2::instance()->PicBox->clearPicture();
    const QString folder
        = BrowseForFolder(QStringLiteral("Select a Source Folder"), Form1::instance()->txtSrcFolder->text());
    if (folder.isEmpty())
        return;
    takeSourceFolder(folder);
}

void Mediator::takeSourceFolder(const QString &folder)
{
    if (!Form2::instance()->showsBatch())
        Form2::instance()->PicBox->clearPicture();
    Form1 *dialog = Form1::instance();
    dialog->List1->clear();
    dialog->showLeftOut({});
    dialog->txtSrcFolder->setText(folder);
    dialog->txtTgtFolder->setText(folder);
    SetTgtFolder(folder);
    SetSourceFolder(folder);

    // Listed off the window's thread; the list fills when the listing is ready.
    FolderListing::shared().whenReady(folder, dialog, [dialog](const FolderListing::Result &listing) {
        if (!listing.error.isEmpty()) {
            Platform::instance().messageBox(listing.error);
            return;
        }
        QStringList names;
        for (const ImageFolder::Entry &file : listing.entries) {
            if (offered(file.name))
                names.append(file.name);
        }
        dialog->List1->addItems(names);
        // Only photos count: a FIFO named like a photo, or a photo whose name cannot be read.
        std::vector<ImageFolder::LeftOut> photos;
        for (const ImageFolder::LeftOut &file : listing.leftOut) {
            if (offered(file.name))
                photos.push_back(file);
        }
        dialog->showLeftOut(photos);
    });
}
