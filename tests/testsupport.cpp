// SPDX-License-Identifier: MIT
#include "testsupport.h"

#include "gifwriter.h"

#include "core/general.h"
#include "document/slideshow.h"
#include "document/textstream.h"
#include "imaging/prefetcher.h"
#include "ui/form1.h"
#include "ui/form2.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QtTest>

TestProgram::TestProgram(bool showMainWindow)
{
    QVERIFY2(m_programDir.isValid(), "no temporary program folder");
    for (const char *name : {"Head.txt", "Middle.txt", "End.txt", "UsersGuide.htm"})
        setTemplate(QLatin1String(name), shippedTemplate(QLatin1String(name)));

    auto platform = std::make_unique<ScriptedPlatform>(m_programDir.path());
    m_platform = platform.get();
    Platform::install(std::move(platform));

    if (showMainWindow) {
        General::Main();
    } else {
        objMediator = std::make_unique<Mediator>();
        objMediator->init();
    }
}

TestProgram::~TestProgram()
{
    Prefetcher::shared().drop();
    Prefetcher::shared().setEnabled(true);
    CloseSlideShow();
    tsSlideShow.reset();
    lngSlideCount = 0;
    strFirstPicture.clear();
    Form2::unload();
    objMediator.reset();
    Platform::install(nullptr);
}

Form2 *TestProgram::form() const { return Form2::instance(); }
Form1 *TestProgram::dialog() const { return Form1::instance(); }

void TestProgram::setTemplate(const QString &name, const QByteArray &text)
{
    const QString path = m_programDir.filePath(name);
    QFile::remove(path);
    if (!text.isNull())
        writeFile(path, text);
}

QByteArray TestProgram::shippedTemplate(const QString &name)
{
    return readFile(QStringLiteral(FOTOWEAVE_ASSETS_DIR "/") + name);
}

QByteArray TestProgram::shippedHead()
{
    return shippedTemplate(QStringLiteral("Head.txt")) + "\r\n";
}

QByteArray slideEntry(int n, const QByteArray &file, const QByteArray &caption)
{
    return "\r\n\r\nPicture[" + QByteArray::number(n) + "]  = '" + file + "'; \r\nCaption[" + QByteArray::number(n)
        + "] = '" + caption + "' ;\r\n";
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

void writeGif(const QString &path, const QImage &image)
{
    const QByteArray gif = GifWriter::encode(image);
    QVERIFY2(!gif.isEmpty(), "the GIF writer takes four colours at most");
    writeFile(path, gif);
}

void writeImage(const QString &path, QSize size, QColor color, const char *format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    if (qstrcmp(format, "gif") == 0 || (!format && path.endsWith(QLatin1String(".gif"), Qt::CaseInsensitive))) {
        writeGif(path, image);
        return;
    }
    QImageWriter writer(path, format);
    writer.setQuality(95);
    QVERIFY2(writer.write(image), qPrintable(path + QStringLiteral(": ") + writer.errorString()));
}

void writeRotatedJpeg(const QString &path, QSize stored, int orientation)
{
    // Left half red, right half blue in the stored image, so the turn shows.
    QImage image(stored, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < stored.height(); ++y)
        for (int x = 0; x < stored.width() / 2; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(image.save(&buffer, "JPEG", 95));

    // An APP1 segment with a little-endian TIFF header and one IFD entry: Orientation.
    QByteArray tiff("II*\0\x08\0\0\0", 8);
    tiff += QByteArray("\x01\0", 2);                       // one entry
    tiff += QByteArray("\x12\x01\x03\0\x01\0\0\0", 8);     // tag 0x0112, SHORT, count 1
    tiff += char(orientation);
    tiff += QByteArray("\0\0\0", 3);
    tiff += QByteArray("\0\0\0\0", 4);                     // no next IFD
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray app1("\xFF\xE1", 2);
    const int length = payload.size() + 2;
    app1 += char(length >> 8);
    app1 += char(length & 0xFF);
    app1 += payload;
    jpeg.insert(2, app1); // right after the start-of-image marker
    writeFile(path, jpeg);
}
