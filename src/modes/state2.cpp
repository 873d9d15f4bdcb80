// SPDX-License-Identifier: MIT
#include "modes/state2.h"

#include "commands/chain.h"
#include "commands/cmd2.h"
#include "commands/stack.h"
#include "core/mediator.h"
#include "document/documenterror.h"
#include "document/pageweight.h"
#include "document/slideshow.h"
#include "imaging/folderlisting.h"
#include "imaging/imagefolder.h"
#include "imaging/parseobject.h"
#include "imaging/prefetcher.h"
#include "imaging/webcopy.h"
#include "modes/statemanager.h"
#include "modes/statustexts.h"
#include "platform/platform.h"

#include <QFileInfo>
#include <QFutureWatcher>
#include <QtConcurrent>

void State2::init(Mediator *md)
{
    this->md = md;
}

void State2::Command1(QString &)
{
    imageStack = std::make_shared<Stack>();
    m_steps.clear();
    m_count = 0;
    m_continued = false;
    ++m_scan;
    m_scanning = false;
    Prefetcher::shared().drop();

    const QString folder = md->GetSourceFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        md->refuseBatch(tr("Source Folder does not exist!"));
        return;
    }

    // The listing made when the folder was chosen is used, once; if it is
    // still running, the batch begins when it is ready.
    // Nothing to add or skip until then.
    const quint64 scan = ++m_scan;
    m_scanning = true;
    md->setMovesEnabled(false);
    FolderListing::shared().whenReady(folder, md, [this, scan](const FolderListing::Result &listing) {
        if (scan != m_scan)
            return; // a newer batch has started
        if (!listing.error.isEmpty()) {
            // Like a missing folder: nothing is queued and no image is shown.
            m_scanning = false;
            md->refuseBatch(listing.error);
            return;
        }
        sortOutHeld(scan, listing.entries);
    }, true);
}

void State2::sortOutHeld(quint64 scan, const std::vector<ImageFolder::Entry> &files)
{
    const QList<ContinuedPhotos::Held> held = md->slideShow().held();
    const bool webSized = WebCopy::shared().isOn();
    const QString target = md->slideShow().folder();
    std::vector<ContinuedPhotos::Photo> photos;
    photos.reserve(files.size());
    for (const ImageFolder::Entry &file : files)
        photos.push_back({file.path, file.name});
    if (!ContinuedPhotos::needsReading(photos, held, webSized)) {
        queueImages(files, ContinuedPhotos::decide(photos, held, target, webSized));
        return;
    }
    // Photos named like slides of the show are compared with its copies, which
    // reads them: off the window's thread, while the batch waits to begin.
    auto *watcher = new QFutureWatcher<ContinuedPhotos::Decision>(md);
    QObject::connect(watcher, &QFutureWatcherBase::finished, md, [this, watcher, scan, files] {
        watcher->deleteLater();
        if (scan == m_scan && md->stateManager()->current() == this) // not replaced or closed meanwhile
            queueImages(files, watcher->result());
    });
    watcher->setFuture(QtConcurrent::run([photos, held, target, webSized] {
        return ContinuedPhotos::decide(photos, held, target, webSized);
    }));
}

void State2::queueImages(const std::vector<ImageFolder::Entry> &files, const ContinuedPhotos::Decision &decision)
{
    m_scanning = false;
    md->setMovesEnabled(true);
    SlideShow &show = md->slideShow();
    show.setRenamed(decision.renamed);
    m_continued = !show.held().isEmpty();
    // Photos skipped in an earlier sitting are not offered again, unless the person asks for them.
    QSet<QString> skipped;
    if (!md->offersSkippedAgain()) {
        for (const ShowRecord::Photo &photo : show.record().skipped)
            skipped.insert(photo.key());
    }
    const auto offered = [&](const ImageFolder::Entry &file) {
        return !decision.leftOut.contains(file.path)
            && (skipped.isEmpty() || !skipped.contains(ShowRecord::Photo::of(QFileInfo(file.path)).key()));
    };
    // The Images window lists what this batch shows: not the photos the show already holds.
    QSet<QString> leftOut;
    for (const ImageFolder::Entry &file : files) {
        if (!offered(file))
            leftOut.insert(file.name);
    }
    if (!leftOut.isEmpty())
        md->leaveOutOfListing(leftOut);

    for (const ImageFolder::Entry &file : files) {
        if (Chain::acceptsExtension(ImageFolder::extensionName(file.name)) && offered(file)) {
            auto item = std::make_shared<ParseObject>();
            item->init(file.path, md->preview());
            imageStack->add(item);
        }
    }

    m_count = int(imageStack->count());
    auto next = std::make_shared<Cmd2>();
    next->init(md);
    static_cast<Command &>(*next).Execute();
}

void State2::Command2(QString &)
{
    if (m_scanning)
        return; // the folder is still being listed: nothing to move on from yet
    if (const auto item = std::static_pointer_cast<ParseObject>(m_steps.current()); item && !m_steps.currentAdded())
        md->slideShow().noteSkipped(item->path());
    m_steps.passed();
    if (imageStack && imageStack->hasMoreElements()) {
        showNext();
        return;
    }
    finish();
}

void State2::Back()
{
    if (!m_steps.canGoBack()) {
        takeBackHeld();
        return;
    }
    std::shared_ptr<WorkItem> current = m_steps.current();
    BatchSteps::Step step;
    try {
        step = m_steps.takeBack(md->slideShow());
    } catch (const DocumentError &e) {
        // Nothing was taken back; the image on show stays.
        Platform::instance().messageBox(QString::fromLocal8Bit(e.what()) + tr("\nNothing was taken back."));
        return;
    }
    if (!step.added)
        md->slideShow().forgetSkipped(std::static_pointer_cast<ParseObject>(step.item)->path());
    imageStack->putBack(current);
    imageStack->putBack(step.item);
    showNext();
    if (step.added)
        md->restoreCaption(step.caption);
}

QString State2::heldToTakeBack() const
{
    const SlideShow &show = md->slideShow();
    if (!m_continued || m_steps.count() > 0 || !m_steps.current() || show.entries().isEmpty())
        return QString();
    // Its photo, found in the source under the slide's name, is shown again; without it Back cannot show it.
    const QString path = md->GetSourceFolder() + QLatin1Char('/') + show.entries().last().picture;
    const QFileInfo photo(path);
    return photo.isFile() && Chain::acceptsExtension(ImageFolder::extensionName(photo.fileName())) ? path : QString();
}

void State2::takeBackHeld()
{
    const QString path = heldToTakeBack();
    if (path.isEmpty())
        return;
    SlideShow &show = md->slideShow();
    const SlideShow::Entry slide = show.entries().last();
    try {
        show.takeBack(slide.offset);
    } catch (const DocumentError &e) {
        Platform::instance().messageBox(QString::fromLocal8Bit(e.what()) + tr("\nNothing was taken back."));
        return;
    }
    auto item = std::make_shared<ParseObject>();
    item->init(path, md->preview());
    imageStack->putBack(m_steps.current());
    imageStack->putBack(item);
    ++m_count; // the photo is offered in this sitting now
    showNext();
    md->restoreCaption(slide.caption);
}

int State2::inShow() const
{
    return m_continued ? int(md->slideShow().entries().size()) : -1;
}

void State2::showNext()
{
    auto item = std::static_pointer_cast<ParseObject>(imageStack->NextElement());
    m_steps.showing(item);
    item->Execute();
    showWhereAmI();
    // While the user looks at this one, the next ones are decoded.
    QStringList next;
    for (std::size_t ahead = 0; ahead < Prefetcher::Depth; ++ahead) {
        if (auto item = std::static_pointer_cast<ParseObject>(imageStack->peek(ahead)))
            next << item->path();
    }
    Prefetcher::shared().request(next);
}

void State2::showWhereAmI()
{
    const auto item = std::static_pointer_cast<ParseObject>(m_steps.current());
    md->showPosition(m_steps.count() + 1, m_count, item->path(), m_steps.addedCount(), inShow(),
                     m_steps.canGoBack() || !heldToTakeBack().isEmpty());
}

void State2::finish()
{
    Prefetcher::shared().drop();
    SlideShow &show = md->slideShow();
    const QString page = !show.path().isEmpty() ? show.path()
                                                : md->GetTgtFolder() + QLatin1Char('/') + QLatin1String(SlideShowFileName);
    const int added = m_steps.addedCount();
    // The page is completed before the user hears of it, so that a page that
    // could not be completed (deleted, a full disk) is never announced.
    QString failure;
    try {
        show.complete(md->showName());
    } catch (const DocumentError &e) {
        // What was written stays; the batch still ends, and nothing writes to that page again.
        failure = QString::fromLocal8Bit(e.what());
        show.close();
    }
    QString told = failure.isEmpty() ? StatusTexts::summary(added, m_count, page, inShow()) : failure;
    if (const QString nudge = PageWeight::of(show).nudge(); failure.isEmpty() && !nudge.isEmpty())
        told += QLatin1Char('\n') + nudge; // a heavy page of originals: what web-sized photos would save
    Platform::instance().messageBox(tr("Last image reached.\n") + told);
    md->StartStateFour();
    md->endBatch(added, m_count, page, inShow(), failure);
}
