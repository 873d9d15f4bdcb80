// SPDX-License-Identifier: MIT
// libFuzzer target: the preview's image loader on arbitrary bytes.
#include "imaging/previewloader.h"

#include <QBuffer>
#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv); // the image plugins need an application
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const auto picture = PreviewLoader::load(&buffer);
    if (picture) {
        // A loaded picture always fits the square and is not empty.
        const QSizeF fitted = picture->fittedTwips;
        if (picture->image.isNull() || fitted.width() > PreviewLoader::Square + 0.01
            || fitted.height() > PreviewLoader::Square + 0.01)
            std::abort();
    }
    return 0;
}
