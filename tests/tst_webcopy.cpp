// SPDX-License-Identifier: MIT
// Web-sized photos through the real batch dialog and main window: what lands
// in the target and in the page, when the option is offered, and that an
// entry only ever names a copy that is in place.
#include "testsupport.h"

#include "imaging/webcopy.h"
#include "ui/form1.h"
#include "ui/form2.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <exiv2/exiv2.hpp>

namespace {
QString exifValue(const QString &path, const char *key)
{
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    image->readMetadata();
    const auto found = image->exifData().findKey(Exiv2::ExifKey(key));
    return found == image->exifData().end() ? QString() : QString::fromStdString(found->toString());
}
}

/** A photo added web-sized: its name and stored size (BMPs), the copy's name and size, the thumbnail's size, and whether the copy is the original's bytes. */
struct WebSized { QString file; QSize stored; QString written; QSize size, thumbnail; bool sameBytes; };

class TestWebCopy : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_program = std::make_unique<TestProgram>(); }

    void cleanup() { WebCopy::shared().finish(); m_program.reset(); }

    // Catches a copy that is sideways, enlarged, re-encoded when it need not
    // be, named after the original when it is no longer a BMP, written over a
    // file of the user's, or not the file the page names.
    void addedPhotosAreWebSized_data()
    {
        QTest::addColumn<WebSized>("photo");
        // The JPEGs of tests/data are stored sideways (EXIF orientation 6), left half red, right half blue.
        QTest::newRow("JPEG over 2048 px turned by EXIF") << WebSized{"camera.jpg", {}, "camera.jpg", {1365, 2048}, {213, 320}, false};
        QTest::newRow("small JPEG copied as it is") << WebSized{"small.jpg", {}, "small.jpg", {750, 1000}, {240, 320}, true};
        QTest::newRow("BMP beside a JPEG of its name") << WebSized{"scan.bmp", {3000, 1000}, "scan-bmp.jpg", {2048, 682}, {320, 106}, false};
        QTest::newRow("BMP beside a file of the target") << WebSized{"icon.bmp", {300, 200}, "icon-bmp.jpg", {300, 200}, {300, 200}, false};
        QTest::newRow("GIF copied as it is") << WebSized{"anim.gif", {}, "anim.gif", {90, 60}, {90, 60}, true};
    }

    void addedPhotosAreWebSized()
    {
        QFETCH(WebSized, photo);
        const auto &[file, stored, written, size, thumbnail, sameBytes] = photo;

        const QString source = m_program->source(file);
        if (file.endsWith(QLatin1String(".jpg")))
            QVERIFY(QFile::copy(fixture(file), source));
        else
            writeImage(source, stored);
        writeImage(m_program->source(QStringLiteral("scan.jpg")));
        writeFile(m_program->target(QStringLiteral("icon.jpg")), "the user's own file");
        const QByteArray original = readFile(source);

        startWebSized();
        while (m_program->form()->Command4->isEnabled())
            m_program->shown() == file ? m_program->add(QStringLiteral("it's here")) : m_program->skip();

        const QString copy = m_program->target(written);
        const QByteArray thumbnailPath = "SlideShow-thumbnails/" + written.toUtf8()
            + (written.endsWith(QLatin1String(".jpg")) ? "" : ".jpg");
        QCOMPARE(readFile(source), original);
        QCOMPARE(readFile(copy) == original, sameBytes);
        QImageReader reader(copy);
        reader.setAutoTransform(true);
        const QImage image = reader.read();
        QCOMPARE(image.size(), size);
        QCOMPARE(QImageReader(m_program->target(QString::fromUtf8(thumbnailPath))).size(), thumbnail);
        if (file == QLatin1String("camera.jpg")) {
            // Upright: the stored left half is now the top.
            QCOMPARE(QColor(image.pixel(682, 300)).red() > 200, true);
            QCOMPARE(QColor(image.pixel(682, 1700)).blue() > 200, true);
            QCOMPARE(exifValue(copy, "Exif.Image.Orientation"), QStringLiteral("1"));
            QCOMPARE(exifValue(copy, "Exif.Photo.DateTimeOriginal"), QStringLiteral("2024:05:17 09:30:00"));
            QCOMPARE(exifValue(copy, "Exif.Image.Make"), QString());
        }
        QCOMPARE(readFile(m_program->target(QStringLiteral("icon.jpg"))), QByteArray("the user's own file"));
        const QByteArray page = "<head>\r\n\r\n\r\nPicture[1]  = '" + written.toUtf8() + "'; \r\nCaption[1] = 'it\\'s here' ;\r\n"
            + "Thumbnail[1] = '" + thumbnailPath + "';\r\n<middle>";
        QCOMPARE(m_program->page().left(page.size()), page);
        // A copy begun for a photo that was skipped leaves nothing behind.
        WebCopy::shared().finish();
        for (const QString &folder : {m_program->target(), m_program->target(QStringLiteral("SlideShow-thumbnails"))})
            QCOMPARE(QDir(folder).entryList(QStringList{QStringLiteral(".fw-*")}, QDir::Files | QDir::Hidden), QStringList());
    }

    // Catches Back leaving the web-sized copy or its thumbnail behind.
    void backRemovesTheCopyAndThumbnail()
    {
        writeImage(m_program->source(QStringLiteral("a.bmp")), QSize(300, 200));
        writeImage(m_program->source(QStringLiteral("b.bmp")), QSize(300, 200));
        startWebSized();
        m_program->add();
        const QString copy = m_program->target(QStringLiteral("a.jpg")), thumbnail = m_program->target(QStringLiteral("SlideShow-thumbnails/a.jpg"));
        QVERIFY(QFileInfo::exists(copy) && QFileInfo::exists(thumbnail));
        QTest::mouseClick(m_program->form()->btnBack, Qt::LeftButton);
        QVERIFY(!QFileInfo::exists(copy));
        QVERIFY(!QFileInfo::exists(thumbnail));
    }

    // Catches a web-sized copy written over the original: the box is off
    // while the target is the source, and Start refuses when the two are one
    // folder under two names.
    void optionNeedsAFolderOfItsOwn()
    {
        writeImage(m_program->source(QStringLiteral("a.jpg")));
        Form1 *dialog = m_program->dialog();
        m_program->chooseFolders(m_program->source());
        QVERIFY(!dialog->chkWebSized->isChecked() && !dialog->chkWebSized->isEnabled());
        QVERIFY2(dialog->chkWebSized->toolTip().contains(QStringLiteral("other than the source folder")), qPrintable(dialog->chkWebSized->toolTip()));
        m_program->chooseFolders(m_program->source(), m_program->target());
        QCOMPARE(dialog->chkWebSized->isEnabled(), true);
        const QString link = m_program->target(QStringLiteral("link"));
        QVERIFY(QFile::link(m_program->source(), link));
        m_program->chooseFolders(m_program->source(), link);
        QCOMPARE(dialog->chkWebSized->isEnabled(), false);

        // Chosen as another folder, then made the same one before Start.
        const QString later = m_program->target(QStringLiteral("later"));
        QVERIFY(QDir().mkdir(later));
        m_program->chooseFolders(m_program->source(), later);
        QTest::mouseClick(dialog->chkWebSized, Qt::LeftButton);
        QCOMPARE(dialog->chkWebSized->isChecked(), true);
        QVERIFY(QDir(later).removeRecursively() && QFile::link(m_program->source(), later));
        m_program->start();
        QCOMPARE(m_program->messages().size(), 1);
        QVERIFY2(m_program->messages()[0].contains(QStringLiteral("replace the originals")), qPrintable(m_program->messages()[0]));
        QVERIFY(!QFileInfo::exists(m_program->source(QStringLiteral("SlideShow.htm"))));
        QCOMPARE(dialog->isVisible(), true);
    }

    // Catches an entry that names the web-sized copy before the copy is in
    // place: when it cannot be put there, the page names nothing.
    void aCopyThatCannotBePlacedIsNotNamed()
    {
        writeImage(m_program->source(QStringLiteral("a.jpg")));
        QVERIFY(QDir().mkdir(m_program->target(QStringLiteral("a.jpg")))); // a folder of the user's where the copy would go
        writeFile(m_program->target(QStringLiteral("a.jpg/kept")), "kept");
        startWebSized();
        m_program->add(QStringLiteral("one"));
        QCOMPARE(m_program->messages().size(), 1);
        QVERIFY2(m_program->messages()[0].startsWith(QStringLiteral("The web-sized copy of")), qPrintable(m_program->messages()[0]));
        QCOMPARE(m_program->page(), QByteArray("<head>\r\n"));
        QCOMPARE(readFile(m_program->target(QStringLiteral("a.jpg/kept"))), QByteArray("kept"));
    }

private:
    void startWebSized()
    {
        m_program->chooseFolders(m_program->source(), m_program->target());
        m_program->dialog()->chkWebSized->setChecked(true);
        m_program->start();
    }

    std::unique_ptr<TestProgram> m_program;
};

QTEST_MAIN(TestWebCopy)
#include "tst_webcopy.moc"
