// SPDX-License-Identifier: MIT
#include "core/mediator.h"

#include "commands/chain.h"
#include "commands/cmd1.h"
#include "commands/cmd2.h"
#include "core/source.h"
#include "document/decobj2.h"
#include "document/documenterror.h"
#include "document/imagecopy.h"
#include "document/slideshow.h"
#include "document/slideshowstart.h"
#include "imaging/folderlisting.h"
#include "imaging/prefetcher.h"
#include "imaging/previewstatus.h"
#include "imaging/webcopy.h"
#include "modes/batchsteps.h"
#include "modes/state2.h"
#include "modes/statemanager.h"
#include "modes/statustexts.h"
#include "platform/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

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

Mediator::Mediator()
    : m_slideShow(std::make_unique<SlideShow>())
    , m_preview(new PreviewStatus(this))
{
    connect(m_preview, &PreviewStatus::loading, this, &Mediator::previewLoading);
    connect(m_preview, &PreviewStatus::arrived, this, &Mediator::previewArrived);
}

Mediator::~Mediator() = default;

void Mediator::init()
{
    const QString temp = fromBuffer(Platform::instance().tempFolder().trimmed());

    StateMgr = std::make_unique<StateManager>();
    StateMgr->init(this);
    Src = std::make_unique<Source>();
    SetTempFolder(temp);
    StartStateThree();

    // The folders of the last run, while they are still there; the Images window lists the source when it opens.
    m_settings = Settings::read();
    if (QFileInfo(m_settings.sourceFolder).isDir()) {
        SetSourceFolder(m_settings.sourceFolder);
        SetTgtFolder(QFileInfo(m_settings.targetFolder).isDir() ? m_settings.targetFolder : m_settings.sourceFolder);
    }
    m_webSized = m_settings.webSized;
}

void Mediator::keepWindow(const QRect &geometry, bool maximised)
{
    m_settings.windowGeometry = geometry;
    m_settings.maximised = maximised;
}

void Mediator::setButtons(const Buttons &buttons)
{
    if (buttons == m_buttons)
        return;
    m_buttons = buttons;
    emit buttonsChanged(m_buttons);
}

void Mediator::startStateOne()
{
    // Single-image mode: no window leads here.
    m_slideShow->resetCount();
    emit pictureCleared();
    StateMgr->setStateOne();
}

void Mediator::StartStateTwo()
{
    m_slideShow->resetCount();
    emit pictureCleared();
    Buttons buttons = m_buttons;
    buttons.skipVisible = buttons.skipEnabled = true;
    buttons.addEnabled = true;
    buttons.viewVisible = buttons.viewEnabled = false;
    buttons.backVisible = true; // beside "Skip", shown and hidden with it
    buttons.backEnabled = false;
    setButtons(buttons);
    emit statusChanged(QString());
    emit titleFollowsName(true);
    StateMgr->SetStateTwo();
}

void Mediator::StartStateThree()
{
    emit pictureCleared();
    setButtons({.skipVisible = false, .skipEnabled = true, .addEnabled = false, .viewVisible = false,
                .viewEnabled = false, .backVisible = false, .backEnabled = false});
    emit sizeCleared();
    emit statusChanged(QString());
    m_positionPath.clear();
    emit titleFollowsName(false);
    emit titleReset();
    batchSteps().clear(); // a batch set aside cannot be gone back into
    m_slideShow->resetCount();
    Prefetcher::shared().drop(); // the batch is set aside
    FolderListing::shared().drop();
    leaveBatch();
}

void Mediator::leaveBatch()
{
    if (m_sizeFollowsShow) {
        m_sizeFollowsShow = false;
        emit sizeFollowsShow(false, false);
    }
    if (m_listingTrimmed) {
        m_listingTrimmed = false;
        emit listingReady(m_listedNames, m_listedLeftOut);
    }
}

void Mediator::StartStateFour()
{
    Buttons buttons = m_buttons;
    buttons.skipEnabled = false;
    buttons.addEnabled = false;
    buttons.viewVisible = buttons.viewEnabled = true;
    buttons.backEnabled = false; // the page is complete
    setButtons(buttons);
    emit pictureCleared(); // nothing left on show
    emit sizeCleared();
    emit titleFollowsName(false);
    leaveBatch();
}

void Mediator::refuseBatch(const QString &message)
{
    // Nothing of the previous batch may stay addable.
    Src->SetSourceFile(QString());
    emit pictureCleared();
    emit sizeCleared();
    Buttons buttons = m_buttons;
    buttons.skipEnabled = buttons.addEnabled = false;
    setButtons(buttons);
    Platform::instance().messageBox(message);
}

void Mediator::setMovesEnabled(bool enabled)
{
    Buttons buttons = m_buttons;
    buttons.skipEnabled = buttons.addEnabled = enabled;
    setButtons(buttons);
}

void Mediator::showPosition(int number, int count, const QString &path, int added, int inShow, bool canGoBack)
{
    emit positionChanged(number, count, path, added);
    m_position = StatusTexts::position(number, count, QFileInfo(path).fileName(), added, inShow);
    m_positionPath = path;
    const bool noted = !m_decodeNote.isEmpty() && m_notePath == path;
    emit statusChanged(noted ? m_position + QStringLiteral(" · ") + m_decodeNote : m_position);
    Buttons buttons = m_buttons;
    buttons.backEnabled = canGoBack;
    setButtons(buttons);
}

void Mediator::endBatch(int added, int count, const QString &page, int inShow, const QString &failure)
{
    if (!m_slideShow->ready()) {
        // No page to view.
        Buttons buttons = m_buttons;
        buttons.viewVisible = buttons.viewEnabled = false;
        setButtons(buttons);
    }
    emit batchEnded(added, count, page, failure);
    emit statusChanged(failure.isEmpty() ? StatusTexts::finished(added, count, page, inShow) : failure);
}

void Mediator::restoreCaption(const QString &caption) { emit captionRestored(caption); }
void Mediator::leaveOutOfListing(const QSet<QString> &names)
{
    m_listingTrimmed = true;
    emit listingTrimmed(names);
}

bool Mediator::isLoading() const { return m_preview->isLoading(); }

void Mediator::previewLoading(const QString &path)
{
    m_decodeNote.clear();
    SetSourceFile(path);
    emit imageLoading(path);
    if (batchRuns()) {
        Buttons buttons = m_buttons;
        buttons.addEnabled = true;
        setButtons(buttons);
    }
}

void Mediator::previewArrived(const QString &path, const std::optional<PreviewLoader::Picture> &picture)
{
    if (!picture) {
        // Nothing of another image may stand for it, and what was not seen cannot be added.
        Buttons buttons = m_buttons;
        buttons.addEnabled = false;
        setButtons(buttons);
        emit imageFailed(path);
        // Told where it is shown, not in a box: a folder of broken files must stay usable.
        noteDecode(path, unreadableShown());
        return;
    }
    if (picture->damaged)
        noteDecode(path, damagedShown());
    emit imageShown(path, *picture, (picture->naturalTwips / PreviewLoader::TwipsPerPixel).toSize());
    // Only a photo the preview could show is decoded for its web-sized copy.
    WebCopy::shared().previewed(path);
    if (!picture->description.isEmpty())
        emit captionSuggested(picture->description); // the photo's own description
}

void Mediator::noteDecode(const QString &path, const QString &note)
{
    m_decodeNote = note;
    m_notePath = path;
    if (path == m_positionPath) // else its place follows, and says it
        emit statusChanged(m_position + QStringLiteral(" · ") + note);
}

void Mediator::Back()
{
    if (m_buttons.backEnabled && StateMgr->current() == StateMgr->two())
        static_cast<State2 *>(StateMgr->two())->Back();
}

BatchSteps &Mediator::batchSteps() const
{
    return static_cast<State2 *>(StateMgr->two())->steps();
}

void Mediator::createSlideShow()
{
    m_slideShow->create(GetTgtFolder(), m_showName, WebCopy::shared().isOn());
    if (const std::optional<QString> &name = m_slideShow->continuedName()) {
        m_showName = m_continuedName = *name;
        emit showNameRestored(*name);
    } else if (!m_continuedName.isNull()) {
        // A new show: the name a continued one brought goes, unless the person typed it since.
        if (m_showName == m_continuedName) {
            m_showName = QStringLiteral("My Slide Show");
            emit showNameRestored(m_showName);
        }
        m_continuedName.clear();
    }
}

void Mediator::addToSlideShow(const QString &caption)
{
    auto entry = std::make_shared<DecObj2>();
    entry->init(GetSourceFile(), caption, *m_slideShow);
    entry->Execute();
    batchSteps().added(entry->added().offset, caption, entry->added().createdCopies);
}

bool Mediator::startBatch(bool webSized, bool offerSkippedAgain)
{
    // A source that is gone is refused before anything is written: no page, no lock.
    if (!QFileInfo(GetSourceFolder()).isDir()) {
        Platform::instance().messageBox(tr("Source Folder does not exist!"));
        return false;
    }
    // An existing slide show, a missing template or another batch in the
    // target is settled first; until then nothing changes.
    if (!SlideShowStart::prepare(GetTgtFolder(), *m_slideShow))
        return false;
    m_offerSkippedAgain = offerSkippedAgain;
    // A continued show keeps the size of its photos, whatever the box says now.
    const std::optional<bool> showsSize = m_slideShow->plannedWebSized();
    if (showsSize)
        webSized = *showsSize;
    StartStateTwo();
    if (showsSize || m_sizeFollowsShow) {
        m_sizeFollowsShow = showsSize.has_value();
        emit sizeFollowsShow(m_sizeFollowsShow, webSized);
    }
    WebCopy::shared().begin(webSized, GetSourceFolder(), GetTgtFolder());
    auto start = std::make_shared<cmd1>();
    try {
        start->init(this);
    } catch (const DocumentError &e) {
        // No batch without a document: back to idle, and the Images window
        // stays open so another folder can be chosen.
        Platform::instance().messageBox(QString::fromLocal8Bit(e.what()));
        StartStateThree();
        return false;
    }
    static_cast<Command &>(*start).Execute();
    return true;
}

void Mediator::add(const QString &caption)
{
    if (!m_buttons.addEnabled)
        return; // nothing on show to add
    try {
        addToSlideShow(caption);
    } catch (const DocumentError &e) {
        // The image stays on show so the user can try again or skip it.
        Platform::instance().messageBox(QString::fromLocal8Bit(e.what()));
        return;
    }
    moveOn();
}

void Mediator::skip()
{
    if (batchRuns())
        moveOn();
}

void Mediator::moveOn()
{
    auto next = std::make_shared<Cmd2>();
    next->init(this);
    static_cast<Command &>(*next).Execute();
}

void Mediator::stopBatch()
{
    try {
        // The name is given only when there is a page to complete with it.
        m_slideShow->stop(m_slideShow->isOpen() ? m_showName : QString());
    } catch (const DocumentError &e) {
        Platform::instance().messageBox(QString::fromLocal8Bit(e.what()));
    }
}

void Mediator::close()
{
    stopBatch();
    StartStateThree();
}

void Mediator::exit()
{
    // A batch still running leaves a page that plays with what was added.
    stopBatch();
    emit ending();
    m_settings.sourceFolder = GetSourceFolder();
    m_settings.targetFolder = GetTgtFolder();
    m_settings.webSized = m_webSized;
    m_settings.write(); // a choice that cannot be kept is no reason not to end
    Platform::instance().endProgram();
}

void Mediator::viewSlideShow() { openPage(m_slideShow->path()); }

void Mediator::openUserGuide()
{
    // The guide in the first of the user's languages that has one; English is the guide without a language.
    const QString folder = Platform::instance().programFolder() + QLatin1Char('/');
    QString guide = QStringLiteral("UsersGuide.htm");
    for (const QString &language : QLocale().uiLanguages()) {
        const QString primary = language.section(QLatin1Char('-'), 0, 0).toLower();
        if (primary == QLatin1String("en"))
            break;
        const QString translated = QStringLiteral("UsersGuide.%1.htm").arg(primary);
        if (QFileInfo::exists(folder + translated)) {
            guide = translated;
            break;
        }
    }
    openPage(folder + guide);
}

void Mediator::openPage(const QString &path)
{
    if (!Platform::instance().openDocument(path))
        Platform::instance().messageBox(tr("No program could be found to open the page \"%1\".")
                                            .arg(QDir::toNativeSeparators(path)));
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

void Mediator::TargetFolder(const QString &startFolder)
{
    const QString folder = BrowseForFolder(tr("Select a Target Folder"),
                                           startFolder.isEmpty() ? GetTgtFolder() : startFolder);
    if (folder.isEmpty())
        return; // cancelled: the target stays as it was
    takeTargetFolder(folder);
}

void Mediator::takeTargetFolder(const QString &folder)
{
    SetTgtFolder(folder);
    emit targetFolderChanged(folder);
    listSource(); // what an earlier target's show held is offered again
}

void Mediator::SourceFolder(const QString &startFolder)
{
    // The image of a running batch stays on show: the folder is for the next batch.
    if (!batchRuns())
        emit pictureCleared();
    const QString folder = BrowseForFolder(tr("Select a Source Folder"),
                                           startFolder.isEmpty() ? GetSourceFolder() : startFolder);
    if (folder.isEmpty())
        return;
    takeSourceFolder(folder);
}

void Mediator::takeSourceFolder(const QString &folder)
{
    if (!batchRuns())
        emit pictureCleared();
    SetTgtFolder(folder);
    SetSourceFolder(folder);
    emit sourceFolderChanged(folder);
    emit targetFolderChanged(folder);
    listSource();
}

void Mediator::listSource()
{
    const QString folder = GetSourceFolder();
    if (folder.isEmpty())
        return;
    emit listingCleared();
    // Listed off the window's thread; the listing is shown when it is ready.
    FolderListing::shared().whenReady(folder, this, [this](const FolderListing::Result &listing) {
        if (!listing.error.isEmpty()) {
            Platform::instance().messageBox(listing.error);
            return;
        }
        QStringList names;
        for (const ImageFolder::Entry &file : listing.entries) {
            if (offered(file.name))
                names.append(file.name);
        }
        // Only photos count: a FIFO named like a photo, or a photo whose name cannot be read.
        std::vector<ImageFolder::LeftOut> photos;
        for (const ImageFolder::LeftOut &file : listing.leftOut) {
            if (offered(file.name))
                photos.push_back(file);
        }
        m_listedNames = names;
        m_listedLeftOut = photos;
        m_listingTrimmed = false;
        emit listingReady(names, photos);
    });
}
