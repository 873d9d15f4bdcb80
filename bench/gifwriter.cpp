// SPDX-License-Identifier: MIT
#include "gifwriter.h"

#include <QList>

namespace GifWriter {

QByteArray encode(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    QList<QRgb> palette;
    QByteArray indices;
    indices.reserve(qsizetype(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x] | 0xFF000000u;
            qsizetype index = palette.indexOf(pixel);
            if (index < 0) {
                if (palette.size() == 4)
                    return QByteArray();
                palette.append(pixel);
                index = palette.size() - 1;
            }
            indices += char(index);
        }
    }
    while (palette.size() < 4)
        palette.append(qRgb(0, 0, 0));

    QByteArray gif("GIF89a");
    const auto word = [&gif](int value) {
        gif += char(value & 0xFF);
        gif += char(value >> 8);
    };
    word(image.width());
    word(image.height());
    gif += char(0x81); // global colour table of four entries
    gif += char(0);
    gif += char(0);
    for (QRgb colour : palette) {
        gif += char(qRed(colour));
        gif += char(qGreen(colour));
        gif += char(qBlue(colour));
    }
    gif += ',';
    word(0);
    word(0);
    word(image.width());
    word(image.height());
    gif += char(0);
    gif += char(2); // minimum code size

    QByteArray data;
    quint32 bits = 0;
    int count = 0;
    const auto put = [&](int code) {
        bits |= quint32(code) << count;
        for (count += 3; count >= 8; count -= 8) {
            data += char(bits & 0xFF);
            bits >>= 8;
        }
    };
    for (qsizetype i = 0; i < indices.size(); ++i) {
        if (i % 2 == 0)
            put(4); // clear
        put(indices[i]);
    }
    put(5); // end of information
    if (count > 0)
        data += char(bits & 0xFF);
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        gif += char(block.size());
        gif += block;
    }
    gif += char(0);
    gif += ';';
    return gif;
}

} // namespace GifWriter
