// SPDX-License-Identifier: MIT
#include "imaging/imagefolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <numeric>

namespace fs = std::filesystem;

QString ImageFolder::extensionName(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1);
}

QString ImageFolder::sortKey(const QString &name)
{
    // A run of digits becomes a marker below every letter, its length without
    // leading zeros, then the digits: numbers then compare by value.
    const QString folded = name.toCaseFolded();
    QString key;
    key.reserve(folded.size() + 8);
    for (qsizetype i = 0; i < folded.size();) {
        if (!folded[i].isDigit()) {
            key += folded[i++];
            continue;
        }
        qsizetype end = i;
        while (end < folded.size() && folded[end].isDigit())
            ++end;
        qsizetype start = i;
        while (start + 1 < end && folded[start] == QLatin1Char('0'))
            ++start;
        key += QChar(0x01);
        key += QChar(char16_t(std::min<qsizetype>(end - start, 0xFFFF)));
        key += QStringView(folded).mid(start, end - start);
        i = end;
    }
    return key;
}

namespace {
std::atomic_int s_listings{0};
}

int ImageFolder::listings()
{
    return s_listings.load();
}

std::vector<ImageFolder::Entry> ImageFolder::list(const QString &folder, std::vector<LeftOut> *leftOut)
{
    ++s_listings;
    std::vector<Entry> entries;
    std::error_code error;
    fs::directory_iterator it(fs::path(QFile::encodeName(folder).toStdString()), error);
    const auto fail = [&] {
        throw FolderError(QCoreApplication::translate("ImageFolder", "The folder \"%1\" could not be read: %2.")
                              .arg(QDir::toNativeSeparators(folder), QString::fromStdString(error.message()))
                              .toLocal8Bit()
                              .toStdString());
    };
    if (error)
        fail();
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    for (; it != fs::directory_iterator(); it.increment(error)) {
        // Regular files and links to them only: FIFOs, sockets and devices are
        // never offered, and telling them apart opens nothing.
        std::error_code typeError;
        const std::string raw = it->path().filename().string();
        const QString name = QFile::decodeName(QByteArray::fromStdString(raw));
        if (!it->is_regular_file(typeError) && !(it->is_symlink(typeError) && !fs::exists(it->status(typeError)))) {
            // (a dangling link stays: it says "Error loading image" when its turn comes)
            if (leftOut && !it->is_directory(typeError))
                leftOut->push_back({name, Reason::NotAFile});
            continue;
        }
        if (QFile::encodeName(name).toStdString() != raw) {
            // Not valid in the file system's encoding: it could not be opened by name again.
            if (leftOut)
                leftOut->push_back({name, Reason::UnreadableName});
            continue;
        }
        entries.push_back({prefix + name, name});
    }
    if (error)
        fail();
    if (leftOut) {
        std::sort(leftOut->begin(), leftOut->end(), [](const LeftOut &a, const LeftOut &b) {
            return sortKey(a.name) < sortKey(b.name);
        });
    }

    std::vector<QString> keys;
    keys.reserve(entries.size());
    for (const Entry &entry : entries)
        keys.push_back(sortKey(entry.name));
    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int byKey = QString::compare(keys[a], keys[b], Qt::CaseSensitive);
        return byKey != 0 ? byKey < 0 : entries[a].name < entries[b].name;
    });

    std::vector<Entry> sorted;
    sorted.reserve(entries.size());
    for (std::size_t index : order)
        sorted.push_back(std::move(entries[index]));
    return sorted;
}
