// SPDX-License-Identifier: MIT
// libFuzzer target: reading a photo's own description from arbitrary bytes.
#include "imaging/photodescription.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString caption = PhotoDescription::read(bytes);
    // A suggestion is one clean line, never a camera's stock text.
    if (caption.isEmpty())
        return 0;
    if (caption.contains(QLatin1Char('\n')) || caption != caption.trimmed() || PhotoDescription::isJunk(caption))
        std::abort();
    return 0;
}
