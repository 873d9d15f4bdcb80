// SPDX-License-Identifier: MIT
#include "core/showmaker.h"

#include "core/captionfile.h"
#include "core/consoleplatform.h"
#include "core/progressbar.h"
#include "core/stopsignals.h"
#include "commands/chain.h"
#include "document/continuedphotos.h"
#include "document/decobj2.h"
#include "document/documenterror.h"
#include "document/showrecord.h"
#include "document/slideshowreader.h"
#include "document/slideshowstart.h"
#include "document/slideshowtemplates.h"
#include "imaging/imagefolder.h"
#include "imaging/photodescription.h"
#include "imaging/prefetcher.h"
#include "imaging/webcopy.h"
#include "modes/statustexts.h"

#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QSet>
#include <QThread>

#include <cstdio>

namespace {
void print(FILE *to, const QString &text)
{
    const QByteArray bytes = (text + QLatin1Char('\n')).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), to);
    std::fflush(to);
}

QString native(const QString &path) { return QDir::toNativeSeparators(path); }

QString leftOutReason(ImageFolder::Reason reason)
{
    return reason == ImageFolder::Reason::UnreadableName ? ShowMaker::tr("its name cannot be read on this system")
                                                         : ShowMaker::tr("it is not an ordinary file");
}
}

ShowMaker::ShowMaker(const MakeOptions &options, ConsolePlatform &platform)
    : m_options(options)
    , m_platform(platform)
{
}

ShowMaker::~ShowMaker() = default;

int ShowMaker::refuse(const QString &text)
{
    print(stderr, QStringLiteral("fotoweave: ") + text);
    return Refused;
}

void ShowMaker::fail(const QString &name, const QString &reason)
{
    ++m_failed;
    const QString text = tr("fotoweave: not added: %1: %2").arg(name, reason);
    if (m_progress)
        m_progress->message(text);
    else
        print(stderr, text);
}

bool ShowMaker::collect(std::vector<Photo> &photos, int &status)
{
    std::vector<ImageFolder::LeftOut> leftOut;
    std::vector<ImageFolder::Entry> files;
    try {
        files = ImageFolder::list(m_options.source, &leftOut);
    } catch (const FolderError &e) {
        status = refuse(QString::fromLocal8Bit(e.what()));
        return false;
    }
    const auto offered = [](const QString &name) { return Chain::acceptsExtension(ImageFolder::extensionName(name)); };
    QSet<QString> names;
    for (const ImageFolder::Entry &file : files) {
        if (offered(file.name)) {
            Photo photo;
            photo.path = file.path;
            photo.name = file.name;
            photos.push_back(std::move(photo));
            names.insert(file.name);
        }
    }
    CaptionFile captions;
    if (m_options.captions == MakeOptions::Captions::File) {
        if (!captions.read(m_options.captionFile, names)) {
            status = refuse(captions.error());
            return false;
        }
        for (const QString &name : captions.unmatched())
            print(stderr, tr("fotoweave: the captions file names \"%1\", which is no photo of the source folder.").arg(name));
    }
    for (Photo &photo : photos) {
        if (m_options.captions != MakeOptions::Captions::Metadata) {
            photo.caption = captions.caption(photo.name);
            photo.captionKnown = true;
        }
    }
    // Photos the window counts but cannot offer cannot go in either.
    for (const ImageFolder::LeftOut &file : leftOut) {
        if (offered(file.name))
            fail(file.name, leftOutReason(file.reason));
    }
    return true;
}

int ShowMaker::run()
{
    MakeOptions &o = m_options;
    const QFileInfo source(o.source);
    if (!source.isDir())
        return refuse(tr("the source folder \"%1\" is not a folder.").arg(native(o.source)));
    o.source = source.absoluteFilePath();
    o.target = QFileInfo(o.target.isEmpty() ? o.source : o.target).absoluteFilePath();
    const QFileInfo target(o.target);
    if (target.exists() && !target.isDir())
        return refuse(tr("the target \"%1\" is not a folder.").arg(native(o.target)));

    std::vector<Photo> photos;
    int status = Done;
    if (!collect(photos, status))
        return status;
    if (o.dryRun)
        return dryRun(photos);

    // The folder is made when missing, and taken away again if the show is refused there.
    const bool made = !target.exists();
    if (made && !QDir().mkpath(o.target))
        return refuse(tr("the target folder \"%1\" cannot be made.").arg(native(o.target)));
    const auto refused = [&](const QStringList &messages) {
        for (const QString &message : messages)
            refuse(message);
        if (made)
            QDir().rmdir(o.target);
        return int(Refused);
    };
    // From the lock on, a stop completes the page: the signal is seen once the photos are under way.
    StopSignals stops;
    connect(&stops, &StopSignals::stopRequested, this, &ShowMaker::stop);
    if (!SlideShowStart::prepare(o.target, m_show))
        return refused(m_platform.takeMessages());
    // A continued show keeps the size of its photos, as in the window.
    if (const std::optional<bool> showsSize = m_show.plannedWebSized(); showsSize && *showsSize != o.webSized) {
        o.webSized = *showsSize;
        print(stderr, o.webSized ? tr("fotoweave: the slide show continued is web-sized, so its new photos are too.")
                                 : tr("fotoweave: the slide show continued is of originals, so its new photos are too."));
    }
    WebCopy::shared().begin(o.webSized, o.source, o.target);
    try {
        m_show.create(o.target, o.name, o.webSized);
    } catch (const DocumentError &e) {
        return refused({QString::fromLocal8Bit(e.what())});
    }
    for (const QString &message : m_platform.takeMessages())
        print(stderr, QStringLiteral("fotoweave: ") + message); // the page Replace kept, for one
    if (m_show.continuedName() && !o.nameGiven)
        o.name = *m_show.continuedName();

    // A continued show keeps the photos it holds; another photo of one's name is renamed.
    std::vector<ContinuedPhotos::Photo> listed;
    for (const Photo &photo : photos)
        listed.push_back({photo.path, photo.name});
    const ContinuedPhotos::Decision decision = ContinuedPhotos::decide(listed, m_show.held(), m_show.folder(), o.webSized);
    m_show.setRenamed(decision.renamed);
    // Photos skipped in the window's earlier sittings of this show are left out, as the window leaves them out.
    QSet<QString> skipped;
    for (const ShowRecord::Photo &photo : m_show.record().skipped)
        skipped.insert(photo.key());
    for (Photo &photo : photos) {
        if (decision.leftOut.contains(photo.path) || skipped.contains(ShowRecord::Photo::of(QFileInfo(photo.path)).key()))
            continue;
        if (o.onlyCaptioned && photo.captionKnown && photo.caption.trimmed().isEmpty())
            continue;
        m_photos.push_back(std::move(photo));
    }

    m_progress = std::make_unique<ProgressBar>(int(m_photos.size()), o.quiet);
    pump();
    if (!m_finished)
        m_loop.exec();
    return m_status;
}

int ShowMaker::dryRun(std::vector<Photo> &photos)
{
    const MakeOptions &o = m_options;
    const QString page = o.target + QLatin1Char('/') + QLatin1String(SlideShowFileName);
    QString how = tr("a new slide show");
    QList<ContinuedPhotos::Held> held;
    QString name = o.name;
    if (QFileInfo::exists(page) || QFileInfo(page).isSymLink()) {
        SlideShowTemplates templates;
        try {
            templates = SlideShowTemplates::read();
        } catch (const DocumentError &e) {
            return refuse(QString::fromLocal8Bit(e.what()));
        }
        SlideShowReader reader;
        const bool readable = reader.read(page, templates);
        if (readable && o.existing == MakeOptions::Existing::Continue) {
            for (const SlideShowReader::Slide &slide : reader.slides())
                held.append({slide.picture, slide.webSized});
            how = tr("the slide show there continued after its %1 slides").arg(held.size());
            if (reader.name() && !o.nameGiven)
                name = *reader.name();
        } else if (o.existing == MakeOptions::Existing::Replace) {
            how = tr("a new slide show replacing the one there");
        } else {
            const QString why = readable ? tr("it holds a slide show") : reader.reason();
            return refuse(tr("\"%1\" is there already: %2.\nGive %3 to say what to do with it.")
                              .arg(native(page), why, readable ? tr("--continue or --replace") : tr("--replace")));
        }
    }
    print(stdout, tr("Would write \"%1\": %2, named \"%3\"%4.")
                      .arg(native(page), how, name, o.webSized ? tr(", with web-sized photos") : QString()));
    std::vector<ContinuedPhotos::Photo> listed;
    for (const Photo &photo : photos)
        listed.push_back({photo.path, photo.name});
    const ContinuedPhotos::Decision decision = ContinuedPhotos::decide(listed, held, o.target, o.webSized);
    int n = int(held.size());
    for (Photo &photo : photos) {
        if (decision.leftOut.contains(photo.path)) {
            print(stdout, tr("  left out: %1 (the slide show holds it)").arg(photo.name));
            continue;
        }
        if (!photo.captionKnown)
            photo.caption = PhotoDescription::read(photo.path);
        if (o.onlyCaptioned && photo.caption.trimmed().isEmpty()) {
            print(stdout, tr("  left out: %1 (no caption)").arg(photo.name));
            continue;
        }
        const QString copy = decision.renamed.value(photo.path, photo.name);
        print(stdout, QStringLiteral("  %1. %2%3: %4").arg(QString::number(++n), photo.name,
                                                           copy != photo.name ? tr(" as ") + copy : QString(),
                                                           photo.caption.isEmpty() ? tr("(no caption)") : photo.caption));
    }
    return m_failed > 0 ? SomeFailed : Done;
}

void ShowMaker::start(Photo &photo)
{
    photo.started = true;
    photo.found = std::make_shared<Read>();
    const bool webSized = m_options.webSized;
    const bool describe = !photo.captionKnown;
    if (webSized) {
        photo.copy = WebCopy::shared().ahead(photo.path);
        photo.copying = true;
        watch(photo.copy);
    }
    if (webSized && !describe)
        return; // the copy reads the photo, and tells when it cannot
    // Read as the preview reads it: what it cannot show cannot be added.
    photo.read = Prefetcher::shared().batch(m_cancelled, [found = photo.found, path = photo.path, webSized, describe](const Prefetcher::BatchDecode &decode) {
        if (webSized) {
            found->description = PhotoDescription::read(path);
            return;
        }
        PreviewLoader::Refusal refusal = PreviewLoader::Refusal::None;
        PreviewLoader::Limits limits;
        limits.refusal = &refusal;
        const std::optional<PreviewLoader::Picture> picture = decode(path, limits);
        if (!picture) {
            found->readable = false;
            found->reason = refusal == PreviewLoader::Refusal::OverBudget
                ? tr("the photo needs more memory or time to decode than a photo may take.")
                : tr("the photo cannot be read.");
            return;
        }
        if (describe)
            found->description = picture->description;
    });
    photo.reading = true;
    watch(photo.read);
}

void ShowMaker::watch(const QFuture<void> &future)
{
    ++m_inFlight;
    auto *watcher = new QFutureWatcher<void>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        watcher->deleteLater();
        --m_inFlight;
        if (!m_finished)
            pump();
    });
    watcher->setFuture(future);
}

void ShowMaker::pump()
{
    while (m_next < m_photos.size() && !m_finished) {
        Photo &photo = m_photos[m_next];
        if (!photo.started || (photo.reading && !photo.read.isFinished()) || (photo.copying && !photo.copy.isFinished()))
            break;
        settle(photo);
        photo = Photo(); // what is written is not kept: memory stays flat over any number of photos
        ++m_next;
        m_progress->show(int(m_next));
    }
    // A few photos per core are read ahead of the one written next.
    const std::size_t ahead = std::size_t(2 * std::max(1, QThread::idealThreadCount()) + 2);
    while (!m_finished && m_started < m_photos.size() && m_started < m_next + ahead)
        start(m_photos[m_started++]);
    if (!m_finished && m_next == m_photos.size())
        finish();
}

void ShowMaker::settle(Photo &photo)
{
    const Read &found = *photo.found;
    if (!found.readable) {
        fail(photo.name, found.reason);
        return;
    }
    const QString caption = photo.captionKnown ? photo.caption : found.description;
    if (m_options.onlyCaptioned && caption.trimmed().isEmpty()) {
        WebCopy::shared().forget(photo.path);
        return;
    }
    DecObj2 entry;
    entry.init(photo.path, caption, m_show);
    try {
        entry.Execute();
        ++m_added;
    } catch (const DocumentError &e) {
        fail(photo.name, QString::fromLocal8Bit(e.what()));
    }
}

void ShowMaker::stop(int signal)
{
    if (m_finished)
        return;
    m_signal = signal;
    m_cancelled->store(true);
    finish();
}

void ShowMaker::finish()
{
    m_finished = true;
    m_progress->finish();
    const QString page = m_show.path();
    const int count = int(m_photos.size());
    const int inShow = m_show.held().isEmpty() ? -1 : int(m_show.entries().size()); // a continued show counts whole
    QString failure;
    try {
        // Stopped or not, the page plays with the slides written.
        m_show.complete(m_options.name);
    } catch (const DocumentError &e) {
        failure = QString::fromLocal8Bit(e.what());
        m_show.close();
    }
    // Copies begun for photos not written go, with their temporary files.
    WebCopy::shared().finish();
    Prefetcher::shared().finish();
    if (!failure.isEmpty())
        print(stderr, QStringLiteral("fotoweave: ") + failure);
    else if (!m_options.quiet)
        print(stderr, StatusTexts::summary(m_added, count, page, inShow));
    m_status = m_signal != 0 ? 128 + m_signal : (!failure.isEmpty() || m_failed > 0) ? SomeFailed : Done;
    m_loop.exit(m_status);
}
