// SPDX-License-Identifier: MIT
#include "document/slideshow.h"

#include "document/documenterror.h"
#include "document/pagetext.h"
#include "document/staletemporaries.h"
#include "document/textstream.h"
#include "imaging/webcopy.h"
#include "platform/platform.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {
/** Writes the whole page beside path and renames it over path, so that no reader ever sees half of it. */
void replacePage(const QString &path, const QByteArray &bytes)
{
    const QString folder = QFileInfo(path).absolutePath();
    QFile temp;
    do {
        temp.setFileName(folder + QStringLiteral("/.SlideShow.htm.")
                         + QString::number(QRandomGenerator::global()->generate(), 36) + QStringLiteral(".tmp"));
    } while (!temp.open(QIODevice::WriteOnly | QIODevice::NewOnly) && temp.exists());
    QString reason;
    if (!temp.isOpen())
        reason = temp.errorString();
    else if (temp.write(bytes) != bytes.size() || !temp.flush())
        reason = temp.errorString();
    else if (::fsync(temp.handle()) != 0)
        reason = QString::fromLocal8Bit(std::strerror(errno));
    temp.close();
    if (reason.isEmpty() && std::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        reason = QString::fromLocal8Bit(std::strerror(errno));
    if (reason.isEmpty())
        return;
    temp.remove();
    throw DocumentError(SlideShow::tr("The slide show \"%1\" could not be created: %2.").arg(QDir::toNativeSeparators(path), reason));
}
}

SlideShow::SlideShow() = default;
SlideShow::~SlideShow() = default;

std::optional<bool> SlideShow::plannedWebSized() const
{
    if (!m_plan.continued)
        return std::nullopt;
    if (m_plan.record.loaded())
        return m_plan.record.webSized;
    // No record: the page tells, by its last slide; an empty show lets the person choose.
    const QList<SlideShowReader::Slide> &slides = m_plan.continued->slides();
    if (slides.isEmpty())
        return std::nullopt;
    return slides.last().webSized;
}

void SlideShow::create(const QString &folder, const QString &stoppedName, bool webSized)
{
    if (folder.isEmpty())
        throw DocumentError(tr("No target folder is chosen. Choose a target folder for the slide show first."));

    Plan plan = std::move(m_plan);
    m_plan = Plan();
    const SlideShowTemplates templates = plan.templates ? *plan.templates : SlideShowTemplates::read();
    std::unique_ptr<TargetLock> lock = plan.lock ? std::move(plan.lock) : holdsLockOn(folder) ? std::move(m_lock) : nullptr;
    const QString path = folder + QLatin1Char('/') + QLatin1String(SlideShowFileName);

    // A batch stopped by this one leaves a page that plays; one in this same
    // folder is being continued or replaced. The old stream must never write
    // into the new file.
    if (isOpen() && !sameFolder(m_folder, folder))
        stop(stoppedName);
    close();
    // The first picture belongs to this page; one from an earlier slide
    // show would be a broken image here.
    m_firstPicture.clear();
    m_completed = false;
    m_entries.clear();
    m_continuedName.reset();
    // With the folder locked, what a killed batch of ours left half written there can go.
    if (lock)
        StaleTemporaries::remove(folder, lock->path());
    const QFileInfo old(path);
    if (plan.keepOld && (old.exists() || old.isSymLink()))
        keepOldPage(path);
    replacePage(path, plan.continued ? plan.continued->headAndEntries() : templates.head + "\r\n");
    m_stream = TextStream::append(path);

    m_folder = folder;
    m_templates = templates;
    m_lock = std::move(lock);
    m_held.clear();
    m_renamed.clear();
    // A new show remembers nothing, least of all files that an earlier show made.
    m_record = plan.continued ? std::move(plan.record) : ShowRecord();
    m_record.webSized = webSized;
    saveRecord();
    if (plan.continued) {
        const QList<SlideShowReader::Slide> &slides = plan.continued->slides();
        for (const SlideShowReader::Slide &slide : slides) {
            m_held.append({slide.picture, slide.webSized});
            m_entries.append({slide.picture, slide.caption, slide.thumbnail, slide.offset});
        }
        m_slideCount = qint32(slides.size());
        if (!slides.isEmpty())
            m_firstPicture = slides.first().picture;
        m_continuedName = plan.continued->name();
    }
}

void SlideShow::checkWritable() const
{
    if (!isOpen())
        throw DocumentError(tr("No slide show is open, so the image cannot be added."));
    // A page deleted or replaced meanwhile gets no entry.
    m_stream->checkInPlace();
}

qint64 SlideShow::append(const QString &picture, const QString &caption, const QString &thumbnail)
{
    if (!isOpen())
        throw DocumentError(tr("No slide show is open, so the image cannot be added."));
    const qint32 n = m_slideCount + 1;
    const QByteArray entry = PageText::entry(n, picture, caption, thumbnail);
    const qint64 offset = m_stream->size();
    m_stream->Write(entry);
    m_stream->flush();

    m_slideCount = n;
    if (m_slideCount == 1)
        m_firstPicture = picture;
    m_entries.append({picture, caption, thumbnail, offset});
    return offset;
}

void SlideShow::takeBack(qint64 offset)
{
    if (!isOpen())
        throw DocumentError(tr("No slide show is open, so the image cannot be taken back."));
    m_stream->truncate(offset);
    --m_slideCount;
    if (m_slideCount == 0)
        m_firstPicture.clear(); // the next image added becomes the first picture
    QList<Entry> gone;
    while (!m_entries.isEmpty() && m_entries.last().offset >= offset)
        gone.append(m_entries.takeLast());
    for (const Entry &entry : std::as_const(gone))
        removeCopies(entry);
    saveRecord();
}

void SlideShow::removeCopies(const Entry &entry)
{
    const QString thumbnail2x = entry.thumbnail.isEmpty() ? QString() : WebCopy::thumbnail2xName(entry.thumbnail);
    for (const QString &name : {entry.picture, entry.thumbnail, thumbnail2x}) {
        if (name.isEmpty() || !m_record.madeForShow(name))
            continue; // a file that was there before, or one nothing says this program made
        const bool used = std::any_of(m_entries.cbegin(), m_entries.cend(), [&name](const Entry &other) {
            return other.picture == name || other.thumbnail == name
                || (!other.thumbnail.isEmpty() && WebCopy::thumbnail2xName(other.thumbnail) == name);
        });
        if (used)
            continue;
        QFile::remove(m_folder + QLatin1Char('/') + name);
        m_record.made.removeAll(name);
    }
}

void SlideShow::noteSkipped(const QString &path)
{
    m_record.skip(ShowRecord::Photo::of(QFileInfo(path)));
    saveRecord();
}

void SlideShow::forgetSkipped(const QString &path)
{
    m_record.skipped.removeAll(ShowRecord::Photo::of(QFileInfo(path)));
    saveRecord();
}

void SlideShow::noteMade(const QStringList &paths)
{
    const QString inFolder = m_folder + QLatin1Char('/');
    for (const QString &file : paths) {
        if (file.startsWith(inFolder))
            m_record.addMade(file.mid(inFolder.size()));
    }
    saveRecord();
}

void SlideShow::saveRecord()
{
    // The record only spares the person work and guards deletions; a show goes on without it.
    if (!path().isEmpty())
        m_record.save(path());
}

void SlideShow::keepOldPage(const QString &path)
{
    const QString folder = QFileInfo(path).path();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm"));
    const QByteArray from = QFile::encodeName(path);
    for (int n = 1; n < 10000; ++n) {
        const QString kept = folder + QStringLiteral("/SlideShow (replaced %1)").arg(stamp)
            + (n == 1 ? QString() : QStringLiteral(" %1").arg(n)) + QStringLiteral(".htm");
        const QByteArray to = QFile::encodeName(kept);
        // A second name for the page, never over another file; the new page then takes the first name.
        int error = ::link(from.constData(), to.constData()) == 0 ? 0 : errno;
        if (error == EEXIST)
            continue;
        if (error != 0) {
            // No hard links on this file system: renamed, once no file has that name.
            const QFileInfo there(kept);
            if (there.exists() || there.isSymLink())
                continue;
            error = std::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
        }
        if (error != 0)
            throw DocumentError(tr("The slide show \"%1\" could not be kept as \"%2\": %3. Nothing was replaced.")
                                    .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(kept),
                                         QString::fromLocal8Bit(std::strerror(error))));
        std::rename(QFile::encodeName(ShowRecord::pathFor(path)).constData(),
                    QFile::encodeName(ShowRecord::pathFor(kept)).constData());
        Platform::instance().messageBox(tr("The slide show that was there is kept as \"%1\".")
                                            .arg(QDir::toNativeSeparators(kept)));
        return;
    }
    throw DocumentError(tr("The slide show \"%1\" could not be kept: too many replaced slide shows are beside it. "
                                       "Nothing was replaced.").arg(QDir::toNativeSeparators(path)));
}

void SlideShow::complete(const QString &name)
{
    if (!isOpen())
        throw DocumentError(tr("No slide show is open, so it cannot be completed."));

    m_stream->Write(PageText::closing(m_templates.middle, m_firstPicture, name, m_templates.end));
    m_stream->Close();
    release();
    WebCopy::shared().discard(); // a last photo shown but skipped
    m_completed = true;
}

void SlideShow::close()
{
    release();
    if (!m_stream)
        return;
    try {
        m_stream->Close();
    } catch (const DocumentError &) {
        // Whatever reached the file stays there; nothing more can be done.
    }
}

void SlideShow::stop(const QString &name)
{
    if (isOpen()) {
        try {
            complete(name);
        } catch (const DocumentError &) {
            close();
            throw;
        }
    }
    release();
}

bool SlideShow::isOpen() const
{
    return m_stream && m_stream->isOpen();
}

QString SlideShow::path() const
{
    return m_stream ? m_stream->path() : QString();
}

QString SlideShow::folder() const
{
    return m_stream ? QFileInfo(m_stream->path()).path() : QString();
}

bool SlideShow::ready() const
{
    return m_completed && QFileInfo(path()).isFile();
}

void SlideShow::release()
{
    m_lock.reset();
    m_held.clear();
    m_renamed.clear();
}

bool SlideShow::sameFolder(const QString &a, const QString &b)
{
    if (a == b)
        return true;
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

bool SlideShow::holdsLockOn(const QString &folder) const
{
    return m_lock && sameFolder(m_lock->folder(), folder);
}
