// SPDX-License-Identifier: MIT
#include "imaging/webcopy.h"

#include "document/documenterror.h"

#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryFile>
#include <QtConcurrent/QtConcurrentRun>

#include <exiv2/exiv2.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

struct WebCopy::Job {
    QString source;
    QString targetName;
    QString folder;
    QFuture<void> future;

    // Written by the worker before it finishes.
    QString temporary;
    QString temporaryThumbnail;
    QString thumbnailName;
    QString error;

    std::mutex mutex;
    bool finished = false;
    bool dropped = false;
};

namespace {
QString hiddenTemporary(const QString &folder, QString &error)
{
    QTemporaryFile file(folder + QStringLiteral("/.fw-XXXXXX"));
    file.setAutoRemove(false);
    if (!file.open()) {
        error = file.errorString();
        return {};
    }
    // Readable by others like any copied photo, so that a web server can serve it.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                        | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return file.fileName();
}

bool isJpeg(const QString &suffix)
{
    return suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg");
}

QSize fitted(QSize size, int side)
{
    return std::max(size.width(), size.height()) > side ? size.scaled(side, side, Qt::KeepAspectRatio) : size;
}

bool copyBytes(const QString &from, const QString &to, QString &error)
{
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly)) {
        error = in.errorString();
        return false;
    }
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error = out.errorString();
        return false;
    }
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (qint64 got; (got = in.read(buffer.data(), buffer.size())) != 0;) {
        if (got < 0 || out.write(buffer.constData(), got) != got) {
            error = got < 0 ? in.errorString() : out.errorString();
            return false;
        }
    }
    if (!out.flush()) {
        error = out.errorString();
        return false;
    }
    return true;
}

bool writeJpeg(const QImage &image, const QString &path, int quality, QString &error)
{
    QImageWriter writer(path, "jpeg");
    writer.setQuality(quality);
    if (writer.write(image))
        return true;
    error = writer.errorString();
    return false;
}

/** Gives the copy the capture date of the original, and says it stands upright. */
void keepCaptureDate(const QString &original, const QString &copy)
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
            return;
        dates["Exif.Image.Orientation"] = uint16_t(1);
        auto out = Exiv2::ImageFactory::open(QFile::encodeName(copy).toStdString());
        out->setExifData(dates);
        out->writeMetadata();
    } catch (const Exiv2::Error &) {
        // A photo whose metadata cannot be read is shared without it.
    }
}

/** Makes the web-sized copy and its thumbnail in temporary files; runs on a worker thread. */
void make(WebCopy::Placed &names, QString &temporary, QString &temporaryThumbnail, QString &error,
          const QString &source, const QString &folder)
{
    const QString suffix = QFileInfo(source).suffix().toLower();
    QImageReader reader(source);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    const bool asIs = suffix == QLatin1String("gif")
        || (isJpeg(suffix) && stored.isValid() && std::max(stored.width(), stored.height()) <= WebCopy::LongSide);

    temporary = hiddenTemporary(folder, error);
    if (temporary.isEmpty())
        return;
    QImage image;
    if (asIs) {
        if (!copyBytes(source, temporary, error))
            return;
        reader.setScaledSize(fitted(stored, WebCopy::ThumbnailSide));
        image = reader.read();
    } else {
        if (stored.isValid())
            reader.setScaledSize(fitted(stored, WebCopy::LongSide));
        image = reader.read();
        if (image.isNull()) {
            error = reader.errorString();
            return;
        }
        image = image.scaled(fitted(image.size(), WebCopy::LongSide), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (image.colorSpace().isValid() && image.colorSpace() != QColorSpace(QColorSpace::SRgb))
            image.convertToColorSpace(QColorSpace::SRgb);
        if (!writeJpeg(image, temporary, WebCopy::Quality, error))
            return;
        keepCaptureDate(source, temporary);
    }

    // A photo is shared without a thumbnail rather than not at all.
    if (image.isNull())
        return;
    const QString thumbnails = folder + QLatin1Char('/') + WebCopy::thumbnailFolder();
    QString ignored;
    if (!QDir().mkpath(thumbnails))
        return;
    temporaryThumbnail = hiddenTemporary(thumbnails, ignored);
    if (temporaryThumbnail.isEmpty())
        return;
    const QImage small = image.scaled(fitted(image.size(), WebCopy::ThumbnailSide), Qt::IgnoreAspectRatio,
                                      Qt::SmoothTransformation);
    if (!writeJpeg(small.convertToFormat(QImage::Format_RGB32), temporaryThumbnail, 80, ignored)) {
        QFile::remove(temporaryThumbnail);
        temporaryThumbnail.clear();
        return;
    }
    names.thumbnail = WebCopy::thumbnailFolder() + QLatin1Char('/') + names.fileName
        + (names.fileName.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive) ? QString() : QStringLiteral(".jpg"));
}

bool replace(const QString &from, const QString &to)
{
    // rename() puts the complete file in place at once, replacing an older one.
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}
}

WebCopy &WebCopy::shared()
{
    static WebCopy instance;
    return instance;
}

WebCopy::WebCopy()
{
    m_pool.setMaxThreadCount(1);
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
    m_pool.waitForDone();
}

void WebCopy::begin(bool on, const QString &sourceFolder, const QString &targetFolder)
{
    discard();
    m_on = on;
    m_sourceFolder = sourceFolder;
    m_targetFolder = targetFolder;
    m_names.clear();
    m_namesTaken.clear();
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
            || QFileInfo::exists(m_targetFolder + QLatin1Char('/') + name);
    };
    const QString base = info.completeBaseName();
    QString name = base + QStringLiteral(".jpg");
    for (int n = 1; taken(name); ++n)
        name = base + (n == 1 ? QStringLiteral("-bmp.jpg") : QStringLiteral("-bmp-%1.jpg").arg(n));
    m_names.insert(imagePath, name);
    m_namesTaken.insert(name.toLower());
    return name;
}

std::shared_ptr<WebCopy::Job> WebCopy::start(const QString &imagePath)
{
    auto job = std::make_shared<Job>();
    job->source = imagePath;
    job->targetName = targetName(imagePath);
    job->folder = m_targetFolder;
    job->future = QtConcurrent::run(&m_pool, [job] {
        Placed names{job->targetName, {}, {}};
        QString temporary, temporaryThumbnail, error;
        make(names, temporary, temporaryThumbnail, error, job->source, job->folder);
        const std::lock_guard lock(job->mutex);
        job->temporary = temporary;
        job->temporaryThumbnail = temporaryThumbnail;
        job->thumbnailName = names.thumbnail;
        job->error = error;
        job->finished = true;
        if (job->dropped) {
            QFile::remove(temporary);
            QFile::remove(temporaryThumbnail);
        }
    });
    return job;
}

void WebCopy::drop(const std::shared_ptr<Job> &job)
{
    const std::lock_guard lock(job->mutex);
    job->dropped = true;
    if (job->finished) {
        QFile::remove(job->temporary);
        QFile::remove(job->temporaryThumbnail);
    }
}

void WebCopy::prepare(const QString &imagePath)
{
    if (!m_on || (m_job && m_job->source == imagePath))
        return;
    discard();
    m_job = start(imagePath);
}

void WebCopy::discard()
{
    if (m_job)
        drop(m_job);
    m_job.reset();
}

WebCopy::Placed WebCopy::place(const QString &imagePath)
{
    std::shared_ptr<Job> job = m_job && m_job->source == imagePath ? m_job : start(imagePath);
    m_job.reset();
    job->future.waitForFinished();
    const QString destination = job->folder + QLatin1Char('/') + job->targetName;
    const bool newFile = !QFileInfo::exists(destination) && !QFileInfo(destination).isSymLink();
    if (!job->error.isEmpty() || !replace(job->temporary, destination)) {
        const QString reason = job->error.isEmpty() ? QString::fromLocal8Bit(std::strerror(errno)) : job->error;
        drop(job);
        throw DocumentError(QStringLiteral("The web-sized copy of \"%1\" could not be written to \"%2\": %3.")
                                .arg(QDir::toNativeSeparators(imagePath), QDir::toNativeSeparators(destination), reason));
    }
    Placed placed{job->targetName, {}, {}};
    if (newFile)
        placed.created << destination;
    if (!job->temporaryThumbnail.isEmpty()) {
        const QString thumbnail = job->folder + QLatin1Char('/') + job->thumbnailName;
        const bool newThumbnail = !QFileInfo::exists(thumbnail);
        if (replace(job->temporaryThumbnail, thumbnail)) {
            placed.thumbnail = job->thumbnailName;
            if (newThumbnail)
                placed.created << thumbnail;
        } else {
            QFile::remove(job->temporaryThumbnail);
        }
    }
    return placed;
}
