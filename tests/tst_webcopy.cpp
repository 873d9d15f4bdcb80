// SPDX-License-Identifier: MIT
// Web-sized photos through the real batch dialog and main window: what lands
// in the target and in the page, when the option is offered, and that an
// entry only ever names a copy that is in place.
#include "testsupport.h"

#include "document/documenterror.h"
#include "imaging/webcopy.h"
#include "core/general.h"

#include <QDir>
#include <QColorSpace>
#include <QImageReader>
#include <QImageWriter>
#include <QtTest>

#include <exiv2/exiv2.hpp>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

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

    void cleanup()
    {
        WebCopy::shared().finish();
        if (m_limited)
            ::setrlimit(RLIMIT_FSIZE, &m_fileSize);
        m_limited = false;
        m_program.reset();
        if (m_mounted)
            ::umount2(QFile::encodeName(m_mountPoint).constData(), MNT_DETACH);
        m_mounted = false;
    }

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
        while (m_program->canAdd())
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

    // Catches a copy left in its own colour space, or one whose profile the
    // reduced decode lost: a photo in Adobe RGB is shared in sRGB.
    void copiesAreInSrgb()
    {
        QImage adobe(3000, 1000, QImage::Format_RGB32);
        adobe.fill(QColor(30, 160, 60));
        adobe.setColorSpace(QColorSpace::AdobeRgb);
        QImageWriter writer(m_program->source(QStringLiteral("a.jpg")));
        writer.setQuality(100);
        QVERIFY(writer.write(adobe));
        startWebSized();
        m_program->add();
        const QRgb shared = QImage(m_program->target(QStringLiteral("a.jpg"))).pixel(1024, 341);
        QVERIFY2(qRed(shared) <= 6 && std::abs(qGreen(shared) - 161) <= 6 && std::abs(qBlue(shared) - 47) <= 6,
                 qPrintable(QColor(shared).name())); // (30, 160, 60) in Adobe RGB is (0, 161, 47) in sRGB
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
        m_program->back();
        QVERIFY(!QFileInfo::exists(copy));
        QVERIFY(!QFileInfo::exists(thumbnail));
    }

    // Catches a web-sized copy written over the original: Start refuses when
    // the target, chosen as another folder, has become the source under another name.
    void optionNeedsAFolderOfItsOwn()
    {
        writeImage(m_program->source(QStringLiteral("a.jpg")));
        const QString later = m_program->target(QStringLiteral("later"));
        QVERIFY(QDir().mkdir(later));
        m_program->chooseFolders(m_program->source(), later);
        m_program->setWebSized(true);
        QVERIFY(QDir(later).removeRecursively() && QFile::link(m_program->source(), later));
        m_program->start();
        QCOMPARE(m_program->messages(), QStringList{"The target folder is the source folder, so web-sized photos would "
                                                    "replace the originals. Choose another target folder."});
        QVERIFY(!QFileInfo::exists(m_program->source(QStringLiteral("SlideShow.htm"))));
        QVERIFY(!m_program->started());
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

    // Catches a web copy or thumbnail decoded without the preview's budgets:
    // a hostile photo is refused before anything is decoded or allocated for
    // it (the refusal says so), and nothing of it reaches the target.
    void hostilePhotosAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content"); // null: the fixture of that name
        QTest::addColumn<QString>("why");
        const QString overBudget = QStringLiteral("the photo needs more memory or time to decode than a photo may take");
        QTest::newRow("JPEG: progressive, claiming 30000 x 30000") << "huge-progressive.jpg" << QByteArray() << overBudget;
        // Read by its content, like any photo that is no JPEG: only the copy's decode reads it.
        QTest::newRow("copy: PNG named .bmp claiming 20000 x 20000") << "a.bmp" << QByteArray::fromHex(
            "89504e470d0a1a0a0000000d4948445200004e2000004e2008020000006c12d16e0000000949444154789c630000000100015eff7df9"
            "0000000049454e44ae426082") << overBudget;
        QTest::newRow("thumbnail: scan bomb, 300 scans") << "scans-300.jpg" << QByteArray() << overBudget;
        // Qt will not allocate its 65535 x 65535 screen; such a GIF is not shared as it is either.
        QTest::newRow("thumbnail: GIF with a huge screen")
            << "a.gif" << QByteArray::fromHex("474946383961ffffffff800000000000ffffff2c00000000010001000002024401003b")
            << "the photo cannot be read";
    }

    void hostilePhotosAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, why);
        const QString path = m_program->source(name);
        if (content.isNull())
            QVERIFY(QFile::copy(fixture(name), path));
        else
            writeFile(path, content);
        WebCopy::shared().begin(true, m_program->source(), m_program->target());
        QString message;
        try {
            WebCopy::shared().place(path);
        } catch (const DocumentError &error) {
            message = QString::fromLocal8Bit(error.what());
        }
        QCOMPARE(message, QStringLiteral("The web-sized copy of \"%1\" was not made: %2.").arg(path, why));
        QCOMPARE(QDir(m_program->target()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    }

    // Catches a web copy begun before the preview is painted: a photo the
    // preview refused is never decoded for a copy.
    void aPhotoThePreviewRefusedIsNotCopied()
    {
        QVERIFY(QFile::copy(fixture(QStringLiteral("scans-300.jpg")), m_program->source(QStringLiteral("a.jpg"))));
        writeImage(m_program->source(QStringLiteral("b.jpg")));
        startWebSized();
        QCOMPARE(m_program->messages(), QStringList(QStringLiteral("Error loading image\na.jpg")));
        QCOMPARE(WebCopy::shared().preparing(), QString());
        m_program->skip();
        QCOMPARE(WebCopy::shared().preparing(), m_program->source(QStringLiteral("b.jpg")));
    }

    // Catches a thumbnails' folder that is followed: whatever stands in its
    // place is refused by name, and nothing is written where a link points.
    void thumbnailFolderIsNotFollowed_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("symbolic link to a folder of the user's") << "a symbolic link";
        QTest::newRow("file") << "a file";
        QTest::newRow("FIFO") << "a FIFO";
    }

    void thumbnailFolderIsNotFollowed()
    {
        QFETCH(QString, kind);
        const QString own = m_program->source(QStringLiteral("D")), thumbnails = m_program->target(QStringLiteral("SlideShow-thumbnails"));
        QVERIFY(QDir().mkdir(own));
        writeImage(own + QStringLiteral("/p1.jpg"), QSize(40, 30), Qt::green);
        const QByteArray users = readFile(own + QStringLiteral("/p1.jpg"));
        writeImage(m_program->source(QStringLiteral("p1.jpg")), QSize(40, 30));
        if (kind == QLatin1String("a symbolic link"))
            QVERIFY(QFile::link(own, thumbnails));
        else if (kind == QLatin1String("a file"))
            writeFile(thumbnails, "not a folder");
        else
            QCOMPARE(::mkfifo(QFile::encodeName(thumbnails).constData(), 0644), 0);
        startWebSized();
        m_program->add(QStringLiteral("one"));
        QCOMPARE(m_program->messages(), QStringList(QStringLiteral("\"%1\" is %2, not a folder, so nothing is written into it.")
                                                        .arg(thumbnails, kind)));
        QCOMPARE(m_program->page(), QByteArray("<head>\r\n"));
        QCOMPARE(readFile(own + QStringLiteral("/p1.jpg")), users);
        QCOMPARE(QDir(own).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList(QStringLiteral("p1.jpg")));
        QCOMPARE(QFileInfo::exists(m_program->target(QStringLiteral("p1.jpg"))), false);
    }

    // Catches a full disk that goes unnoticed or unexplained: a copy or
    // thumbnail that cannot be written whole adds nothing, leaves nothing
    // behind, and the message gives the system's reason.
    void aFullDiskAddsNothing_data()
    {
        QTest::addColumn<QString>("fails");
        QTest::addColumn<qint64>("room"); // bytes left on the disk, or the largest file allowed
        QTest::newRow("the copy") << "web-sized copy" << qint64(0);
        QTest::newRow("the thumbnail") << "thumbnail" << qint64(4096); // the 121-byte GIF fits, its thumbnail not
    }

    void aFullDiskAddsNothing()
    {
        QFETCH(QString, fails);
        QFETCH(qint64, room);
        writeImage(m_program->source(QStringLiteral("a.jpg")));
        writeImage(m_program->source(QStringLiteral("b.gif")));
        const QByteArray target = QFile::encodeName(m_program->target());
        m_mounted = ::mount("fotoweave-test", target.constData(), "tmpfs", 0, "size=256k") == 0;
        m_mountPoint = m_program->target();
        startWebSized();
        WebCopy::shared().finish(); // a.jpg's copy is made and dropped before the disk fills
        QString reason;
        if (m_mounted) {
            struct statvfs disk {};
            QCOMPARE(::statvfs(target.constData(), &disk), 0);
            writeFile(m_program->target(QStringLiteral("filler")), QByteArray(qint64(disk.f_bavail) * qint64(disk.f_bsize) - room, 'f'));
            reason = QStringLiteral("No space left on device");
        } else {
            // Where no file system can be mounted, the same through the largest file a process may write.
            ::signal(SIGXFSZ, SIG_IGN);
            QCOMPARE(::getrlimit(RLIMIT_FSIZE, &m_fileSize), 0);
            struct rlimit small = m_fileSize;
            small.rlim_cur = room == 0 ? 64 : 200;
            QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
            m_limited = true;
            reason = QStringLiteral("File too large");
        }
        m_program->skip();
        QCOMPARE(m_program->shown(), QStringLiteral("b.gif"));
        m_program->add(QStringLiteral("one"));
        QCOMPARE(m_program->messages().size(), 1);
        const QString &message = m_program->messages()[0];
        QVERIFY2(message.startsWith(QStringLiteral("The %1 of \"%2\" could not be written to").arg(fails, m_program->source(QStringLiteral("b.gif"))))
                     && message.endsWith(QStringLiteral(": %1.").arg(reason)),
                 qPrintable(message));
        QCOMPARE(m_program->page(), QByteArray("<head>\r\n"));
        WebCopy::shared().finish();
        QStringList left = QDir(m_program->target()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        left.removeOne(QStringLiteral("filler"));
        left.removeOne(QStringLiteral(".SlideShow.htm.lock"));
        left.removeOne(QStringLiteral("SlideShow-thumbnails"));
        QCOMPARE(left, QStringList(QStringLiteral("SlideShow.htm")));
        QCOMPARE(QDir(m_program->target(QStringLiteral("SlideShow-thumbnails"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
    }

    // Catches a thumbnail dropped or a copy refused because the thumbnail's
    // name would be longer than a file name may be: it is cut, whole
    // characters at a time, and numbered when the cut name is taken.
    void longThumbnailNamesAreCut()
    {
        const QString x(248, QLatin1Char('x')), e(124, QChar(0xE9));
        for (const QString &name : {x + QStringLiteral("1.gif"), x + QStringLiteral("2.gif"), e + QStringLiteral("a.gif")})
            writeImage(m_program->source(name)); // 253 bytes each
        startWebSized();
        for (int i = 0; i < 3; ++i)
            m_program->add();
        QCOMPARE(m_program->messages().size(), 1);
        QVERIFY2(m_program->messages()[0].startsWith(QStringLiteral("Last image reached.\n3 of 3 added")), qPrintable(m_program->messages()[0]));
        QStringList thumbnails = QDir(m_program->target(QStringLiteral("SlideShow-thumbnails"))).entryList(QDir::Files | QDir::Hidden);
        thumbnails.sort();
        QCOMPARE(thumbnails, (QStringList{QString(245, QLatin1Char('x')) + QStringLiteral("-2.gif.jpg"),
                                          QString(247, QLatin1Char('x')) + QStringLiteral(".gif.jpg"),
                                          QString(123, QChar(0xE9)) + QStringLiteral(".gif.jpg")}));
        QVERIFY(m_program->page().contains("Thumbnail[3] = 'SlideShow-thumbnails/"));
    }

private:
    void startWebSized()
    {
        m_program->chooseFolders(m_program->source(), m_program->target());
        m_program->setWebSized(true);
        m_program->start();
    }

    std::unique_ptr<TestProgram> m_program;
    bool m_mounted = false, m_limited = false;
    QString m_mountPoint;
    struct rlimit m_fileSize {};
};

QTEST_MAIN(TestWebCopy)
#include "tst_webcopy.moc"
