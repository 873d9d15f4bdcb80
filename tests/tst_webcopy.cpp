// SPDX-License-Identifier: MIT
// Web-sized photos through the real batch dialog and main window: what lands
// in the target and in the page, when the option is offered, and that an
// entry only ever names a copy that is in place.
#include "testsupport.h"

#include "document/documenterror.h"
#include "imaging/webcopy.h"

#include <QtGui>
#include <QtTest>

#include <exiv2/exiv2.hpp>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

/** A photo the web copy refuses: its name, its bytes (null: the fixture of that name), and why it is refused. */
struct Hostile { QString name; QByteArray content; QString why; };
/** A photo added web-sized: its name and stored size (BMPs), the copy's path and size, the thumbnails' sizes (320 and 640 px), whether the copy is the original's bytes, and whether the target is the source. */
struct WebSized { QString file; QSize stored; QString written; QSize size, thumbnail, thumbnail2x; bool sameBytes, besideOriginals = false; };

class TestWebCopy : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(::getrlimit(RLIMIT_FSIZE, &m_fileSize), 0); }
    void init() { p = std::make_unique<TestProgram>(); }

    void cleanup()
    {
        WebCopy::shared().finish();
        ::setrlimit(RLIMIT_FSIZE, &m_fileSize);
        p.reset();
        if (!m_mountPoint.isEmpty())
            ::umount2(QFile::encodeName(m_mountPoint).constData(), MNT_DETACH);
        m_mountPoint.clear();
    }

    // Catches a copy that is sideways, enlarged, re-encoded when it need not
    // be, named after the original when it is no longer a BMP, written over a
    // file of the user's, or not the file the page names.
    void addedPhotosAreWebSized_data()
    {
        QTest::addColumn<WebSized>("photo");
        // The JPEGs of tests/data are stored sideways (EXIF orientation 6), left half red, right half blue.
        QTest::newRow("JPEG over 2048 px turned by EXIF") << WebSized{"camera.jpg", {}, "camera.jpg", {1365, 2048}, {213, 320}, {426, 640}, false};
        QTest::newRow("small JPEG copied as it is") << WebSized{"small.jpg", {}, "small.jpg", {750, 1000}, {240, 320}, {480, 640}, true};
        QTest::newRow("BMP beside a JPEG of its name") << WebSized{"scan.bmp", {3000, 1000}, "scan-bmp.jpg", {2048, 682}, {320, 106}, {640, 213}, false};
        QTest::newRow("BMP beside a file of the target") << WebSized{"icon.bmp", {300, 200}, "icon-bmp.jpg", {300, 200}, {300, 200}, {300, 200}, false};
        QTest::newRow("GIF copied as it is") << WebSized{"anim.gif", {}, "anim.gif", {90, 60}, {90, 60}, {90, 60}, true};
        QTest::newRow("JPEG beside its original") << WebSized{"camera.jpg", {}, "SlideShow-photos/camera.jpg", {1365, 2048}, {213, 320}, {426, 640}, false, true};
        QTest::newRow("small JPEG beside its original") << WebSized{"small.jpg", {}, "SlideShow-photos/small.jpg", {750, 1000}, {240, 320}, {480, 640}, true, true};
        QTest::newRow("BMP beside its original") << WebSized{"scan.bmp", {3000, 1000}, "SlideShow-photos/scan-bmp.jpg", {2048, 682}, {320, 106}, {640, 213}, false, true};
    }

    void addedPhotosAreWebSized()
    {
        QFETCH(WebSized, photo);
        const auto &[file, stored, written, size, thumbnail, thumbnail2x, sameBytes, besideOriginals] = photo;
        const QString target = besideOriginals ? p->source() : p->target(), source = p->source(file);
        if (file.endsWith(QLatin1String(".jpg")))
            QVERIFY(QFile::copy(fixture(file), source));
        else
            writeImage(source, stored);
        writeImage(p->source(QStringLiteral("scan.jpg")));
        writeFile(p->target(QStringLiteral("icon.jpg")), "the user's own file");
        const QByteArray original = readFile(source);

        const QStringList originals = QDir(p->source()).entryList(QDir::Files);
        startWebSized(target);
        while (p->canAdd())
            p->shown() == file ? p->add(QStringLiteral("it's here")) : p->skip();

        const QString copy = target + QLatin1Char('/') + written;
        const QByteArray thumbnailPath = "SlideShow-thumbnails/" + QFileInfo(written).fileName().toUtf8()
            + (written.endsWith(QLatin1String(".jpg")) ? "" : ".jpg");
        QCOMPARE(readFile(source), original);
        QCOMPARE(readFile(copy) == original, sameBytes);
        QImageReader reader(copy);
        reader.setAutoTransform(true);
        const QImage image = reader.read();
        QCOMPARE(image.size(), size);
        QCOMPARE(QImageReader(target + QLatin1Char('/') + QString::fromUtf8(thumbnailPath)).size(), thumbnail);
        QCOMPARE(QImageReader(target + QLatin1Char('/') + QString::fromUtf8(thumbnailPath).replace(QStringLiteral("/"), QStringLiteral("/2x/"))).size(), thumbnail2x);
        if (file == QLatin1String("camera.jpg")) {
            // Upright: the stored left half is now the top.
            QVERIFY(QColor(image.pixel(682, 300)).red() > 200 && QColor(image.pixel(682, 1700)).blue() > 200);
            const auto exif = Exiv2::ImageFactory::open(QFile::encodeName(copy).toStdString());
            exif->readMetadata();
            QCOMPARE(exif->exifData()["Exif.Image.Orientation"].toString(), "1");
            QCOMPARE(exif->exifData()["Exif.Photo.DateTimeOriginal"].toString(), "2024:05:17 09:30:00");
            QVERIFY(exif->exifData().findKey(Exiv2::ExifKey("Exif.Image.Make")) == exif->exifData().end());
        }
        QCOMPARE(readFile(p->target(QStringLiteral("icon.jpg"))), QByteArray("the user's own file"));
        QCOMPARE(readFile(target + "/SlideShow.htm"), "<head>\r\n" + entry(1, written.toUtf8(), "it\\'s here")
                     + "Thumbnail[1] = '" + thumbnailPath + "';\r\n" + pageEnd(written.toUtf8(), "My Slide Show"));
        QStringList beside = QDir(p->source()).entryList(QDir::Files);
        QVERIFY(beside.removeOne(QStringLiteral("SlideShow.htm")) == besideOriginals);
        QCOMPARE(beside, originals); // nothing was added beside the originals but the page
        // A copy begun for a photo that was skipped leaves nothing behind.
        WebCopy::shared().finish();
        for (const QString &folder : {target, target + QStringLiteral("/SlideShow-thumbnails"), target + QStringLiteral("/SlideShow-thumbnails/2x"), target + QStringLiteral("/SlideShow-photos")})
            QCOMPARE(QDir(folder).entryList(QStringList{QStringLiteral(".fw-*")}, QDir::Files | QDir::Hidden), QStringList());
    }

    // Catches a copy left in its own colour space, or one whose profile the
    // reduced decode lost: a photo in Adobe RGB is shared in sRGB. And Back
    // leaving the web-sized copy or its thumbnail behind.
    void copiesAreInSrgbAndGoBack()
    {
        QImage adobe(3000, 1000, QImage::Format_RGB32);
        adobe.fill(QColor(30, 160, 60));
        adobe.setColorSpace(QColorSpace::AdobeRgb);
        QImageWriter writer(p->source(QStringLiteral("a.jpg")));
        writer.setQuality(100);
        QVERIFY(writer.write(adobe));
        writeImage(p->source(QStringLiteral("b.bmp")), QSize(300, 200));
        startWebSized();
        p->add();
        const QString copy = p->target(QStringLiteral("a.jpg")), thumbnail = p->target(QStringLiteral("SlideShow-thumbnails/a.jpg")),
                      thumbnail2x = p->target(QStringLiteral("SlideShow-thumbnails/2x/a.jpg"));
        const QRgb shared = QImage(copy).pixel(1024, 341);
        QVERIFY2(qRed(shared) <= 6 && std::abs(qGreen(shared) - 161) <= 6 && std::abs(qBlue(shared) - 47) <= 6,
                 qPrintable(QColor(shared).name())); // (30, 160, 60) in Adobe RGB is (0, 161, 47) in sRGB
        QVERIFY(QFileInfo::exists(thumbnail) && QFileInfo::exists(thumbnail2x));
        p->back();
        QVERIFY(!QFileInfo::exists(copy) && !QFileInfo::exists(thumbnail) && !QFileInfo::exists(thumbnail2x));
    }

    // Catches a web copy or thumbnail decoded without the preview's budgets:
    // a hostile photo is refused before anything is decoded or allocated for
    // it (the refusal says so), and nothing of it reaches the target.
    void hostilePhotosAreRefused_data()
    {
        QTest::addColumn<Hostile>("photo");
        const QString overBudget = QStringLiteral("the photo needs more memory or time to decode than a photo may take");
        QTest::newRow("JPEG: progressive, claiming 30000 x 30000") << Hostile{"huge-progressive.jpg", {}, overBudget};
        // Read by its content, like any photo that is no JPEG: only the copy's decode reads it.
        QTest::newRow("copy: PNG named .bmp claiming 20000 x 20000") << Hostile{"a.bmp", QByteArray::fromHex(
            "89504e470d0a1a0a0000000d4948445200004e2000004e2008020000006c12d16e0000000949444154789c630000000100015eff7df9"
            "0000000049454e44ae426082"), overBudget};
        QTest::newRow("thumbnail: scan bomb, 300 scans") << Hostile{"scans-300.jpg", {}, overBudget};
        // Qt will not allocate its 65535 x 65535 screen; such a GIF is not shared as it is either.
        QTest::newRow("thumbnail: GIF with a huge screen") << Hostile{"a.gif", QByteArray::fromHex(
            "474946383961ffffffff800000000000ffffff2c00000000010001000002024401003b"), "the photo cannot be read"};
    }

    void hostilePhotosAreRefused()
    {
        QFETCH(Hostile, photo);
        const auto &[name, content, why] = photo;
        const QString path = p->source(name);
        writeFile(path, content.isNull() ? readFile(fixture(name)) : content);
        WebCopy::shared().begin(true, p->source(), p->target());
        QString message;
        try {
            WebCopy::shared().place(path);
        } catch (const DocumentError &error) {
            message = QString::fromLocal8Bit(error.what());
        }
        QCOMPARE(message, QStringLiteral("The web-sized copy of \"%1\" was not made: %2.").arg(path, why));
        QCOMPARE(QDir(p->target()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    }

    // Catches a web copy begun before the preview is painted: a photo the
    // preview refused is never decoded for a copy.
    void aPhotoThePreviewRefusedIsNotCopied()
    {
        QVERIFY(QFile::copy(fixture(QStringLiteral("scans-300.jpg")), p->source(QStringLiteral("a.jpg"))));
        writeImage(p->source(QStringLiteral("b.jpg")));
        startWebSized(); // the preview refuses a.jpg, as the bad-file test of the batch checks
        QCOMPARE(WebCopy::shared().preparing(), QString());
        p->skip();
        QCOMPARE(WebCopy::shared().preparing(), p->source(QStringLiteral("b.jpg")));
    }

    // Catches an entry that names the web-sized copy before the copy is in
    // place, and a thumbnails' folder that is followed: whatever stands in the
    // way is refused by name, nothing is written where a link points, and the
    // page names nothing.
    void whatStandsInTheWayIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("told"); // <source>, <own> (the user's folder) and <thumbnails> stand for themselves
        const QString notAFolder = QStringLiteral("\"<thumbnails>\" is %1, not a folder, so nothing is written into it.");
        QTest::newRow("a folder of the user's where the copy goes")
            << "a folder" << "The web-sized copy of \"<source>\" could not be written to \"<own>\": Is a directory.";
        QTest::newRow("symbolic link to a folder of the user's") << "a symbolic link" << notAFolder.arg("a symbolic link");
        QTest::newRow("file") << "a file" << notAFolder.arg("a file");
        QTest::newRow("FIFO") << "a FIFO" << notAFolder.arg("a FIFO");
    }

    void whatStandsInTheWayIsRefused()
    {
        QFETCH(QString, kind);
        QFETCH(QString, told);
        const QString thumbnails = p->target(QStringLiteral("SlideShow-thumbnails"));
        const QString own = kind == QLatin1String("a folder") ? p->target(QStringLiteral("p1.jpg"))
                                                              : p->source(QStringLiteral("D"));
        QVERIFY(QDir().mkdir(own));
        writeImage(own + QStringLiteral("/p1.jpg"), QSize(40, 30), Qt::green);
        const QByteArray users = readFile(own + QStringLiteral("/p1.jpg"));
        writeImage(p->source(QStringLiteral("p1.jpg")), QSize(40, 30));
        if (kind == QLatin1String("a symbolic link"))
            QVERIFY(QFile::link(own, thumbnails));
        else if (kind == QLatin1String("a file"))
            writeFile(thumbnails, "not a folder");
        else if (kind == QLatin1String("a FIFO"))
            QCOMPARE(::mkfifo(QFile::encodeName(thumbnails).constData(), 0644), 0);
        startWebSized();
        p->add(QStringLiteral("one"));
        told.replace("<thumbnails>", thumbnails).replace("<own>", own).replace("<source>", p->source("p1.jpg"));
        QCOMPARE(p->messages(), QStringList(told));
        QCOMPARE(p->page(), QByteArray("<head>\r\n"));
        QCOMPARE(readFile(own + QStringLiteral("/p1.jpg")), users);
        QCOMPARE(QDir(own).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList(QStringLiteral("p1.jpg")));
        QVERIFY(!QFileInfo(p->target(QStringLiteral("p1.jpg"))).isFile());
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
        writeImage(p->source(QStringLiteral("a.jpg")));
        writeImage(p->source(QStringLiteral("b.gif")));
        const QByteArray target = QFile::encodeName(p->target());
        if (::mount("fotoweave-test", target.constData(), "tmpfs", 0, "size=256k") == 0)
            m_mountPoint = p->target();
        startWebSized();
        WebCopy::shared().finish(); // a.jpg's copy is made and dropped before the disk fills
        QString reason = QStringLiteral("No space left on device");
        if (!m_mountPoint.isEmpty()) {
            struct statvfs disk {};
            QCOMPARE(::statvfs(target.constData(), &disk), 0);
            writeFile(p->target(QStringLiteral("filler")), QByteArray(qint64(disk.f_bavail) * qint64(disk.f_bsize) - room, 'f'));
        } else {
            // Where no file system can be mounted, the same through the largest file a process may write.
            ::signal(SIGXFSZ, SIG_IGN);
            const struct rlimit small{rlim_t(room == 0 ? 64 : 200), m_fileSize.rlim_max};
            QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
            reason = QStringLiteral("File too large");
        }
        p->skip();
        QCOMPARE(p->shown(), QStringLiteral("b.gif"));
        p->add(QStringLiteral("one"));
        QCOMPARE(p->messages().size(), 1);
        const QString &message = p->messages()[0];
        QVERIFY2(message.startsWith(QStringLiteral("The %1 of \"%2\" could not be written to").arg(fails, p->source(QStringLiteral("b.gif"))))
                     && message.endsWith(QStringLiteral(": %1.").arg(reason)),
                 qPrintable(message));
        QCOMPARE(p->page(), QByteArray("<head>\r\n"));
        WebCopy::shared().finish();
        QStringList left = QDir(p->target()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        left.removeOne(QStringLiteral("filler"));
        left.removeOne(QStringLiteral(".SlideShow.htm.lock"));
        left.removeOne(QStringLiteral("SlideShow-thumbnails"));
        QCOMPARE(left, QStringList({".SlideShow.htm.state", "SlideShow.htm"}));
        for (const QString &folder : {QStringLiteral("SlideShow-thumbnails"), QStringLiteral("SlideShow-thumbnails/2x")})
            QCOMPARE(QDir(p->target(folder)).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList());
    }

private:
    void startWebSized(const QString &target = QString())
    {
        p->chooseFolders(p->source(), target.isEmpty() ? p->target() : target);
        p->setWebSized(true);
        p->start();
    }

    std::unique_ptr<TestProgram> p;
    QString m_mountPoint;
    struct rlimit m_fileSize {};
};

QTEST_MAIN(TestWebCopy)
#include "tst_webcopy.moc"
