// SPDX-License-Identifier: MIT
// libFuzzer target: text escaped for the slide show page can never break out
// of the place it is written to.
#include "document/pagetext.h"

#include <QByteArrayList>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

namespace {
void require(bool condition)
{
    if (!condition)
        std::abort();
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    const QByteArray script = PageText::scriptString(text);
    require(!script.contains('\r') && !script.contains('\n') && !script.contains('<'));
    // Every quote is escaped, and every backslash starts an escape.
    for (qsizetype i = 0; i < script.size(); ++i) {
        if (script[i] == '\\') {
            require(i + 1 < script.size());
            ++i;
        } else {
            require(script[i] != '\'');
        }
    }

    const QByteArray markup = PageText::markup(text);
    require(!markup.contains('<') && !markup.contains('>'));

    const QByteArray url = PageText::url(text);
    for (qsizetype i = 0; i < url.size(); ++i) {
        const char c = url[i];
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'
            || c == '.' || c == '_' || c == '~';
        if (!plain) {
            require(c == '%' && i + 2 < url.size());
            i += 2;
        }
    }
    require(QByteArray::fromPercentEncoding(url) == text.toUtf8());
    // A path keeps its slashes, and nothing else unencoded that url() would encode.
    const QByteArray path = PageText::relativeUrl(text);
    require(path.split('/').size() == text.split(QLatin1Char('/')).size());
    for (const QByteArray &segment : path.split('/'))
        require(QByteArray::fromPercentEncoding(segment).toPercentEncoding("-._~") == segment);
    return 0;
}
