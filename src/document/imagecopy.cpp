// SPDX-License-Identifier: MIT
#include "document/imagecopy.h"

#include "document/documenterror.h"
#include "document/replacingfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <filesystem>
#include <sys/stat.h>

namespace {
[[noreturn]] void fail(const QString &source, const QString &destination, const QString &reason)
{
    throw DocumentError(QCoreApplication::translate("ImageCopy", "The image \"%1\" could not be copied to \"%2\": %3.")
                            .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(destination), reason));
}
}

bool ImageCopy::sameFile(const QString &a, const QString &b)
{
    std::error_code error;
    return std::filesystem::equivalent(std::filesystem::path(QFile::encodeName(a).toStdString()),
                                       std::filesystem::path(QFile::encodeName(b).toStdString()), error)
        && !error;
}

namespace {
/** True when the destination already is the image: the same entry, or the same file and not a link to it. */
bool inPlace(const QString &source, const QString &destination)
{
    struct stat image {};
    struct stat there {};
    if (::lstat(QFile::encodeName(source).constData(), &image) != 0
        || ::lstat(QFile::encodeName(destination).constData(), &there) != 0)
        return false;
    if (image.st_dev == there.st_dev && image.st_ino == there.st_ino)
        return true;
    // A link at the destination is replaced by a real copy, even when it points to the image.
    return !S_ISLNK(there.st_mode) && ImageCopy::sameFile(source, destination);
}
}

void ImageCopy::copy(const QString &source, const QString &destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        fail(source, destination, in.errorString());
    if (inPlace(source, destination))
        return; // already in place; never rewrite the original

    ReplacingFile out(destination);
    if (!out.open())
        fail(source, destination, out.errorString());

    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(buffer.data(), buffer.size());
        if (got < 0)
            fail(source, destination, in.errorString());
        if (got == 0)
            break;
        if (!out.write(buffer.constData(), got))
            fail(source, destination, out.errorString());
    }
    if (!out.commit())
        fail(source, destination, out.errorString());
}
