// SPDX-License-Identifier: MIT
#include "document/imagecopy.h"

#include "document/documenterror.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <filesystem>

namespace {
[[noreturn]] void fail(const QString &source, const QString &destination, const QString &reason)
{
    throw DocumentError(QStringLiteral("The image \"%1\" could not be copied to \"%2\": %3.")
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

void ImageCopy::copy(const QString &source, const QString &destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        fail(source, destination, in.errorString());
    if (sameFile(source, destination))
        return; // already in place; never rewrite the original

    QSaveFile out(destination);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        fail(source, destination, out.errorString());

    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(buffer.data(), buffer.size());
        if (got < 0)
            fail(source, destination, in.errorString());
        if (got == 0)
            break;
        if (out.write(buffer.constData(), got) != got)
            fail(source, destination, out.errorString());
    }
    if (!out.commit())
        fail(source, destination, out.errorString());
}
