// SPDX-License-Identifier: MIT
#include "document/continuedphotos.h"

#include "document/imagecopy.h"

#include <QFile>
#include <QFileInfo>

namespace {
/** The held slide of that name, or nothing. */
const ContinuedPhotos::Held *find(const QList<ContinuedPhotos::Held> &held, const QString &name)
{
    for (const ContinuedPhotos::Held &slide : held) {
        // A web-sized copy beside its original is named with the folder it is in.
        if (QStringView(slide.name).sliced(slide.name.lastIndexOf(QLatin1Char('/')) + 1) == name)
            return &slide;
    }
    return nullptr;
}

bool comparedByName(const ContinuedPhotos::Held &slide, bool webSized)
{
    return webSized || slide.webSized;
}

/** True when both files hold the same bytes; false when either cannot be read. */
bool sameBytes(const QString &a, const QString &b)
{
    QFile one(a);
    QFile other(b);
    if (!one.open(QIODevice::ReadOnly) || !other.open(QIODevice::ReadOnly) || one.size() != other.size())
        return false;
    constexpr qint64 Chunk = 1 << 20;
    while (!one.atEnd()) {
        const QByteArray left = one.read(Chunk);
        if (left.isEmpty() || left != other.read(Chunk))
            return false;
    }
    return other.atEnd();
}

/** p1.jpg -> p1-2.jpg, p1-3.jpg ...: the first name that no file and no name taken has. */
QString freeName(const QString &name, const QString &targetFolder, QSet<QString> &taken)
{
    const QFileInfo info(name);
    const QString base = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int n = 2;; ++n) {
        const QString candidate = base + QLatin1Char('-') + QString::number(n) + suffix;
        const QString path = targetFolder + QLatin1Char('/') + candidate;
        if (!taken.contains(candidate.toLower()) && !QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
            taken.insert(candidate.toLower());
            return candidate;
        }
    }
}
}

bool ContinuedPhotos::needsReading(const std::vector<Photo> &photos, const QList<Held> &held, bool webSized)
{
    for (const Photo &photo : photos) {
        const Held *slide = find(held, photo.name);
        if (slide && !comparedByName(*slide, webSized))
            return true;
    }
    return false;
}

ContinuedPhotos::Decision ContinuedPhotos::decide(const std::vector<Photo> &photos, const QList<Held> &held,
                                                  const QString &targetFolder, bool webSized)
{
    Decision decision;
    // A new name must not be one the show, the target or another photo of the source has.
    QSet<QString> taken;
    for (const Held &slide : held)
        taken.insert(slide.name.toLower());
    for (const Photo &photo : photos)
        taken.insert(photo.name.toLower());

    for (const Photo &photo : photos) {
        const Held *slide = find(held, photo.name);
        if (!slide)
            continue;
        const QString copy = targetFolder + QLatin1Char('/') + photo.name;
        // The show's copy, when it is gone or unreadable, cannot be told apart: known by name.
        if (comparedByName(*slide, webSized) || !QFileInfo(copy).isFile() || ImageCopy::sameFile(photo.path, copy)
            || sameBytes(photo.path, copy) || !QFileInfo(photo.path).isReadable() || !QFileInfo(copy).isReadable()) {
            decision.leftOut.insert(photo.path);
            continue;
        }
        decision.renamed.insert(photo.path, freeName(photo.name, targetFolder, taken));
    }
    return decision;
}
