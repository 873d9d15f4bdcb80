// SPDX-License-Identifier: MIT
#include "core/imagefolder.h"

#include <QDir>
#include <QFile>

#include <algorithm>
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

std::vector<ImageFolder::Entry> ImageFolder::list(const QString &folder)
{
    std::vector<Entry> entries;
    std::error_code error;
    fs::directory_iterator it(fs::path(QFile::encodeName(folder).toStdString()), error);
    const auto fail = [&] {
        throw FolderError(QStringLiteral("The folder \"%1\" could not be read: %2.")
                              .arg(QDir::toNativeSeparators(folder), QString::fromStdString(error.message()))
                              .toLocal8Bit()
                              .toStdString());
    };
    if (error)
        fail();
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    for (; it != fs::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (it->is_directory(typeError))
            continue;
        const QString name = QFile::decodeName(QByteArray::fromStdString(it->path().filename().string()));
        entries.push_back({prefix + name, name});
    }
    if (error)
        fail();

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
