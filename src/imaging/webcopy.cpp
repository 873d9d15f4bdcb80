// SPDX-License-Identifier: MIT
#include "imaging/webcopy.h"

#include "document/documenterror.h"
#include "document/imagecopy.h"
#include "document/ownfolder.h"
#include "document/replacingfile.h"
#include "imaging/previewloader.h"

#include <QBuffer>
#include <QColorSpace>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>

#include <exiv2/exiv2.hpp>

#include <algorithm>
#include <atomic>
#include <tuple>
#include <utility>
#include <mutex>

struct WebCopy::Job {
    QString source;
    QString targetName;
    QString thumbnailName;
    QString folder;
    std::atomic_bool cancelled{false};
    QFuture<void> future;

    // Written by the worker before it finishes: complete files under temporary names, or the message why not.
    std::unique_ptr<ReplacingFile> copy;
    std::unique_ptr<ReplacingFile> thumbnail;
    std::unique_ptr<ReplacingFile> thumbnail2x;
    QString error;

    std::mutex mutex;
    bool finished = false;
    bool dropped = false;
};

namespace {
/** The longest file name, in bytes, that the file systems this runs on take. */
constexpr int NameMax = 255;

bool isJpeg(const QString &suffix)
{
    return suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg");
}

QSize fitted(QSize size, int side)
{
    return PreviewLoader::fittedInto(size, QSize(side, side));
}

/** 96 dpi, whatever screen there is or is not: the same photo gives the same bytes with or without a window. */
constexpr int DotsPerMeter = 3780;

QByteArray encodeJpeg(QImage image, int quality)
{
    image.setDotsPerMeterX(DotsPerMeter);
    image.setDotsPerMeterY(DotsPerMeter);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    return writer.write(image) ? bytes : QByteArray();
}

/** The copy with the capture date of the original, saying it stands upright; done in memory. */
QByteArray withCaptureDate(const QString &original, const QByteArray &copy)
{
    try {
        auto in = Exiv2::ImageFactory::open(QFile::encodeName(original).toStdString());
        in->readMetadata();
        const Exiv2::ExifData &exif = in->exifData();
        Exiv2::ExifData dates;
        for (const char *key : {"Exif.Photo.DateTimeOriginal", "Exif.Photo.DateTimeDigitized", "Exif.Image.DateTime",
                                "Exif.Photo.OffsetTimeOriginal", "Exif.Photo.SubSecTimeOriginal"}) {
            const auto found = exif.findKey(Exiv2::ExifKey(key));
            if (found != exif.end())
                dates.add(*found);
        }
        if (dates.empty())
            return copy;
        dates["Exif.Image.Orientation"] = uint16_t(1);
        auto out = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte *>(copy.constData()), long(copy.size()));
        out->setExifData(dates);
        out->writeMetadata();
        Exiv2::BasicIo &io = out->io();
        if (io.open() != 0)
            return copy;
        io.seek(0, Exiv2::BasicIo::beg);
        const Exiv2::DataBuf written = io.read(long(io.size()));
        io.close();
        if (written.size_ <= 0)
            return copy;
        return QByteArray(reinterpret_cast<const char *>(written.pData_), int(written.size_));
    } catch (const Exiv2::Error &) {
        // A photo whose metadata cannot be read is shared without it.
        return copy;
    }
}

/** The bytes of a photo that is shared as it is. */
bool readAll(const QString &path, QByteArray &bytes, QString &reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return false;
    }
    return true;
}

/** Writes bytes to a new temporary file beside destination; the file is renamed into place later. */
std::unique_ptr<ReplacingFile> written(const QString &destination, const QByteArray &bytes, QString &reason)
{
    auto file = std::make_unique<ReplacingFile>(destination);
    if (!file->open() || !file->write(bytes.constData(), bytes.size())) {
        reason = file->errorString();
        return nullptr;
    }
    return file;
}

QString native(const QString &path) { return QDir::toNativeSeparators(path); }
}

/**
 * Makes the web-sized copy and its thumbnail in temporary files; runs as the
 * prefetcher's batch work. Both are decoded with the preview's budgets: a
 * photo over them is refused before anything is allocated for it.
 */
void WebCopy::make(Job &job, const Prefetcher::BatchDecode &decode, std::unique_ptr<ReplacingFile> &copy,
                   std::unique_ptr<ReplacingFile> &thumbnail, std::unique_ptr<ReplacingFile> &thumbnail2x, QString &error)
{
    const QString &source = job.source;
    const QString destination = job.folder + QLatin1Char('/') + job.targetName; // targetName may lead into the photo folder
    const QString suffix = QFileInfo(source).suffix().toLower();
    PreviewLoader::Refusal refusal = PreviewLoader::Refusal::None;
    PreviewLoader::Limits limits;
    limits.refusal = &refusal;
    const auto refused = [&] {
        error = refusal == PreviewLoader::Refusal::OverBudget
            ? QCoreApplication::translate("WebCopy", "The web-sized copy of \"%1\" was not made: the photo needs more memory or time to decode than a photo may take.")
                  .arg(native(source))
            : QCoreApplication::translate("WebCopy", "The web-sized copy of \"%1\" was not made: the photo cannot be read.").arg(native(source));
    };

    // GIFs and JPEGs that fit are shared as they are; the thumbnail's decode tells their size.
    // A JPEG whose header says it is bigger is decoded once, at the copy's size.
    std::optional<PreviewLoader::Picture> picture;
    bool asIs = false;
    const QSize stored = isJpeg(suffix) ? PreviewLoader::storedSize(source) : QSize();
    const bool big = stored.isValid() && std::max(stored.width(), stored.height()) > LongSide;
    if (suffix == QLatin1String("gif") || (isJpeg(suffix) && !big)) {
        limits.box = QSize(Thumbnail2xSide, Thumbnail2xSide);
        picture = decode(source, limits);
        if (!picture)
            return refused(); // what the preview could not show is not shared
        const QSize natural = (picture->naturalTwips / PreviewLoader::TwipsPerPixel).toSize();
        asIs = suffix == QLatin1String("gif") || std::max(natural.width(), natural.height()) <= LongSide;
    }

    QByteArray bytes;
    QString reason;
    if (asIs) {
        if (!readAll(source, bytes, reason)) {
            error = QCoreApplication::translate("WebCopy", "The web-sized copy of \"%1\" could not be made: %2.").arg(native(source), reason);
            return;
        }
    } else {
        limits.box = QSize(LongSide, LongSide);
        picture = decode(source, limits);
        if (!picture)
            return refused();
        QImage &image = picture->image;
        image.setDevicePixelRatio(1.0);
        if (image.colorSpace().isValid() && image.colorSpace() != QColorSpace(QColorSpace::SRgb))
            image.convertToColorSpace(QColorSpace::SRgb);
        bytes = encodeJpeg(image.convertToFormat(QImage::Format_RGB32), Quality);
        if (bytes.isEmpty()) {
            error = QCoreApplication::translate("WebCopy", "The web-sized copy of \"%1\" could not be made.").arg(native(source));
            return;
        }
        bytes = withCaptureDate(source, bytes);
    }
    if (job.targetName.contains(QLatin1Char('/'))) {
        OwnFolder photos;
        if (!photos.ensure(job.folder + QLatin1Char('/') + photoFolder())) {
            error = photos.errorString();
            return;
        }
    }
    copy = written(destination, bytes, reason);
    if (!copy) {
        error = QCoreApplication::translate("WebCopy", "The web-sized copy of \"%1\" could not be written to \"%2\": %3.")
                    .arg(native(source), native(destination), reason);
        return;
    }

    OwnFolder thumbnails, twice;
    if (!thumbnails.ensure(job.folder + QLatin1Char('/') + thumbnailFolder())
        || !twice.ensure(job.folder + QLatin1Char('/') + thumbnailFolder() + QStringLiteral("/2x"))) {
        error = thumbnails.errorString().isEmpty() ? twice.errorString() : thumbnails.errorString();
        copy.reset();
        return;
    }
    // The thumbnail, and one of twice its size for screens of twice the density.
    for (const auto &[side, name, file] : {std::tuple(ThumbnailSide, job.thumbnailName, &thumbnail),
                                           std::tuple(Thumbnail2xSide, thumbnail2xName(job.thumbnailName), &thumbnail2x)}) {
        QImage small = picture->image;
        small.setDevicePixelRatio(1.0);
        const QSize size = fitted(small.size(), side);
        if (small.size() != size)
            small = small.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QString path = job.folder + QLatin1Char('/') + name;
        *file = written(path, encodeJpeg(small.convertToFormat(QImage::Format_RGB32), 80), reason);
        if (!*file) {
            error = QCoreApplication::translate("WebCopy", "The thumbnail of \"%1\" could not be written to \"%2\": %3.")
                        .arg(native(source), native(path), reason);
            copy.reset();
            thumbnail.reset();
            return;
        }
    }
}

QString WebCopy::thumbnail2xName(const QString &thumbnail)
{
    const qsizetype slash = thumbnail.lastIndexOf(QLatin1Char('/'));
    return thumbnail.left(slash + 1) + QStringLiteral("2x/") + thumbnail.mid(slash + 1);
}

WebCopy &WebCopy::shared()
{
    static WebCopy instance;
    return instance;
}

WebCopy::WebCopy()
{
    Prefetcher::shared(); // made first, so that it is still there when this goes
    // Set up once here, not on a worker thread in the middle of reading a photo.
    Exiv2::XmpParser::initialize();
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
}

WebCopy::~WebCopy()
{
    finish();
}

void WebCopy::finish()
{
    discard();
    for (QFuture<void> &running : m_running)
        running.waitForFinished();
    m_running.clear();
}

void WebCopy::begin(bool on, const QString &sourceFolder, const QString &targetFolder)
{
    discard();
    m_on = on;
    m_intoPhotoFolder = on && ImageCopy::sameFile(sourceFolder, targetFolder);
    m_sourceFolder = sourceFolder;
    m_targetFolder = targetFolder;
    m_names.clear();
    m_namesTaken.clear();
    m_thumbnails.clear();
    m_thumbnailsTaken.clear();
    m_shown.clear();
}

QString WebCopy::targetName(const QString &imagePath)
{
    const QFileInfo info(imagePath);
    if (info.suffix().toLower() != QLatin1String("bmp"))
        return info.fileName();
    if (const auto given = m_names.constFind(imagePath); given != m_names.constEnd())
        return *given;
    const auto taken = [this](const QString &name) {
        return m_namesTaken.contains(name.toLower()) || QFileInfo::exists(m_sourceFolder + QLatin1Char('/') + name)
            || QFileInfo::exists(m_targetFolder + QLatin1Char('/') + name)
            || (m_intoPhotoFolder && QFileInfo::exists(m_targetFolder + QLatin1Char('/') + photoFolder() + QLatin1Char('/') + name));
    };
    const QString base = info.completeBaseName();
    QString name = base + QStringLiteral(".jpg");
    for (int n = 1; taken(name); ++n)
        name = base + (n == 1 ? QStringLiteral("-bmp.jpg") : QStringLiteral("-bmp-%1.jpg").arg(n));
    m_names.insert(imagePath, name);
    m_namesTaken.insert(name.toLower());
    return name;
}

QString WebCopy::thumbnailName(const QString &imagePath)
{
    if (const auto given = m_thumbnails.constFind(imagePath); given != m_thumbnails.constEnd())
        return *given;
    // name.jpg, or name.gif.jpg for a copy that is no JPEG.
    const QString copyName = targetName(imagePath);
    const bool jpeg = copyName.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive);
    const qsizetype dot = copyName.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? copyName.left(dot) : copyName;
    const QString extension = (dot > 0 ? copyName.mid(dot) : QString()) + (jpeg ? QString() : QStringLiteral(".jpg"));
    QString name = stem + extension;
    if (QFile::encodeName(name).size() > NameMax) {
        // Too long for the file system: the stem is cut, a whole character at a
        // time, and numbered when the cut name is taken.
        const auto taken = [this](const QString &name) {
            const QFileInfo onDisk(m_targetFolder + QLatin1Char('/') + thumbnailFolder() + QLatin1Char('/') + name);
            return m_thumbnailsTaken.contains(name.toLower()) || onDisk.exists() || onDisk.isSymLink();
        };
        for (int n = 1; n == 1 || taken(name); ++n) {
            const QString number = n == 1 ? QString() : QStringLiteral("-%1").arg(n);
            QString cut = stem;
            while (!cut.isEmpty() && QFile::encodeName(cut + number + extension).size() > NameMax)
                cut.chop(cut.size() > 1 && cut.back().isLowSurrogate() ? 2 : 1);
            name = cut + number + extension;
        }
    }
    const QString path = thumbnailFolder() + QLatin1Char('/') + name;
    m_thumbnails.insert(imagePath, path);
    m_thumbnailsTaken.insert(name.toLower());
    return path;
}

QString WebCopy::copyPath(const QString &imagePath)
{
    const QString name = targetName(imagePath);
    return m_intoPhotoFolder ? photoFolder() + QLatin1Char('/') + name : name;
}

std::shared_ptr<WebCopy::Job> WebCopy::start(const QString &imagePath)
{
    auto job = std::make_shared<Job>();
    job->source = imagePath;
    job->targetName = copyPath(imagePath);
    job->thumbnailName = thumbnailName(imagePath);
    job->folder = m_targetFolder;
    // The job's flag, kept alive by the job itself.
    std::shared_ptr<std::atomic_bool> cancelled(job, &job->cancelled);
    job->future = Prefetcher::shared().batch(std::move(cancelled), [job](const Prefetcher::BatchDecode &decode) {
        std::unique_ptr<ReplacingFile> copy, thumbnail, thumbnail2x;
        QString error;
        make(*job, decode, copy, thumbnail, thumbnail2x, error);
        const std::lock_guard lock(job->mutex);
        job->finished = true;
        if (job->dropped)
            return; // the temporary files go with copy and thumbnail
        job->copy = std::move(copy);
        job->thumbnail = std::move(thumbnail);
        job->thumbnail2x = std::move(thumbnail2x);
        job->error = error;
    });
    m_running.removeIf([](const QFuture<void> &running) { return running.isFinished(); });
    m_running << job->future;
    return job;
}

void WebCopy::drop(const std::shared_ptr<Job> &job)
{
    job->cancelled.store(true);
    std::unique_ptr<ReplacingFile> copy, thumbnail, thumbnail2x;
    const std::lock_guard lock(job->mutex);
    job->dropped = true;
    // Their temporary files are removed as they go.
    copy = std::move(job->copy);
    thumbnail = std::move(job->thumbnail);
    thumbnail2x = std::move(job->thumbnail2x);
}

void WebCopy::prepare(const QString &imagePath)
{
    if (!m_on || (m_job && m_job->source == imagePath))
        return;
    discard();
    m_shown = imagePath;
}

void WebCopy::previewed(const QString &imagePath)
{
    if (!m_on || imagePath != m_shown || (m_job && m_job->source == imagePath))
        return;
    discard();
    m_job = start(imagePath);
}

QString WebCopy::preparing() const
{
    return m_job ? m_job->source : QString();
}

void WebCopy::discard()
{
    if (m_job)
        drop(m_job);
    m_job.reset();
    for (const std::shared_ptr<Job> &job : std::as_const(m_ahead))
        drop(job);
    m_ahead.clear();
}

QFuture<void> WebCopy::ahead(const QString &imagePath)
{
    std::shared_ptr<Job> &job = m_ahead[imagePath];
    if (!job)
        job = start(imagePath);
    return job->future;
}

void WebCopy::forget(const QString &imagePath)
{
    if (const std::shared_ptr<Job> job = m_ahead.take(imagePath))
        drop(job);
}

WebCopy::Placed WebCopy::place(const QString &imagePath)
{
    // A copy the prefetcher has cancelled (it finished all its work) is made again.
    std::shared_ptr<Job> job = m_job && m_job->source == imagePath && !m_job->cancelled ? m_job : m_ahead.take(imagePath);
    m_job.reset();
    if (!job || job->cancelled)
        job = start(imagePath);
    job->future.waitForFinished();
    std::unique_ptr<ReplacingFile> copy, thumbnail, thumbnail2x;
    QString error;
    {
        const std::lock_guard lock(job->mutex);
        copy = std::move(job->copy);
        thumbnail = std::move(job->thumbnail);
        thumbnail2x = std::move(job->thumbnail2x);
        error = job->error;
        job->dropped = true;
    }
    if (!copy)
        throw DocumentError(error.isEmpty() ? QCoreApplication::translate("WebCopy", "The web-sized copy of \"%1\" was not made.").arg(native(imagePath)) : error);

    // Looked at again: the folders may have been replaced while the copy was made.
    OwnFolder thumbnails, twice;
    if (thumbnail && !thumbnails.ensure(job->folder + QLatin1Char('/') + thumbnailFolder()))
        throw DocumentError(thumbnails.errorString());
    if (thumbnail2x && !twice.ensure(job->folder + QLatin1Char('/') + thumbnailFolder() + QStringLiteral("/2x")))
        throw DocumentError(twice.errorString());
    OwnFolder photos;
    if (job->targetName.contains(QLatin1Char('/')) && !photos.ensure(job->folder + QLatin1Char('/') + photoFolder()))
        throw DocumentError(photos.errorString());
    const QString destination = job->folder + QLatin1Char('/') + job->targetName;
    const QFileInfo before(destination);
    const bool newFile = !before.exists() && !before.isSymLink();
    if (!copy->commit())
        throw DocumentError(QCoreApplication::translate("WebCopy", "The web-sized copy of \"%1\" could not be written to \"%2\": %3.")
                                .arg(native(imagePath), native(destination), copy->errorString()));
    Placed placed{job->targetName, {}, {}};
    if (newFile)
        placed.created << destination;
    for (const auto &[file, name] : {std::pair(thumbnail.get(), job->thumbnailName),
                                     std::pair(thumbnail2x.get(), thumbnail2xName(job->thumbnailName))}) {
        if (!file)
            continue;
        const QString path = job->folder + QLatin1Char('/') + name;
        const QFileInfo old(path);
        const bool newThumbnail = !old.exists() && !old.isSymLink();
        if (!file->commit()) {
            // Nothing of the photo is added: the files it made go again.
            for (const QString &made : std::as_const(placed.created))
                QFile::remove(made);
            throw DocumentError(QCoreApplication::translate("WebCopy", "The thumbnail of \"%1\" could not be written to \"%2\": %3.")
                                    .arg(native(imagePath), native(path), file->errorString()));
        }
        placed.thumbnail = job->thumbnailName;
        if (newThumbnail)
            placed.created << path;
    }
    return placed;
}
