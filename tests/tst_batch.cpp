// SPDX-License-Identifier: MIT
// Whole batches driven through the coordinator with no window: the folders,
// the order, the captions, the finished page, and what bad files and failures
// leave behind; and the page and the copies byte for byte.
#include "testsupport.h"

#include "core/general.h"
#include "document/decobj2.h"
#include "document/documenterror.h"
#include "document/slideshow.h"
#include "imaging/imagefolder.h"
#include "imaging/previewloader.h"

#include <QtGui>
#include <QtTest>

#include <sys/stat.h>

/** A file the batch meets: its name, its bytes (null: the fixture of that name), what the status bar says of it. */
struct BadFile { QString name; QByteArray content; QString told; };
/** A show made without windows: file name, caption, file name, caption, ...; its name; what follows "<head>\r\n". */
struct Show { QStringList entries; QString name; QByteArray page; };

class TestBatch : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestProgram> p;
    QString last(const char *counts) const
    {
        return QStringLiteral("Last image reached.\n%1 added to ").arg(QLatin1String(counts)) + p->pagePath();
    }

    /** Starts a page in folder (the target when empty) the way Start does, without the windows. */
    void create(const QString &folder = QString())
    {
        objMediator->SetTgtFolder(folder.isEmpty() ? p->target() : folder);
        objMediator->createSlideShow();
    }

    /** Copies the image (made up when missing) into the target and appends its entry with caption. */
    void add(const QString &name, const QString &caption)
    {
        const QString path = p->source(name);
        if (!QFile::exists(path))
            writeFile(path, "image bytes of " + name.toUtf8());
        DecObj2 entry;
        entry.init(path, caption, objMediator->slideShow());
        entry.Execute();
    }

private slots:
    void init() { p = std::make_unique<TestProgram>(); }
    void cleanup() { p.reset(); }

    void wholeBatch()
    {
        writeImage(p->source(QStringLiteral("a.jpg")), QSize(80, 60), Qt::red);
        writeImage(p->source(QStringLiteral("b.bmp")));
        writeImage(p->source(QStringLiteral("c.gif")));
        objMediator->setShowName(QStringLiteral("Our <trip> & more"));
        const int listings = ImageFolder::listings();
        p->startBatch();
        QCOMPARE(ImageFolder::listings() - listings, 1); // Start takes the listing made when the folder was chosen
        p->add(QStringLiteral("Red, it's mine"));
        const QByteArray first = "<head>\r\n" + entry(1, "a.jpg", "Red, it\\'s mine");
        p->skip();
        p->add(QStringLiteral("Blue </script>"));
        QCOMPARE(p->messages(), QStringList{last("2 of 3")});
        QCOMPARE(p->page(), first + entry(2, "c.gif", "Blue \\x3C/script>") + pageEnd("a.jpg", "Our &lt;trip&gt; &amp; more"));
        const Mediator::Buttons ended{.skipVisible = true, .skipEnabled = false, .addEnabled = false, .viewVisible = true,
                                      .viewEnabled = true, .backVisible = true, .backEnabled = false};
        QVERIFY(objMediator->buttons() == ended);
        const QByteArray done = p->page();
        p->add(QStringLiteral("late")); // the batch has ended: nothing is added or skipped
        p->skip();
        QCOMPARE(p->messages().size(), 1);
        QCOMPARE(p->page(), done);

        // A second batch into the same folder, told to replace it, starts a fresh page.
        p->platform().questionAnswers.enqueue(QStringLiteral("Replace"));
        p->startBatch();
        QVERIFY(!objMediator->buttons().viewVisible && objMediator->batchRuns());
        QCOMPARE(p->page(), QByteArray("<head>\r\n"));
    }

    // A file that cannot be shown is told in the status bar (not in a box per file), and leaves the preview empty;
    // a file that could hold the batch up is left out. The batch goes on to z.bmp.
    void badFiles_data()
    {
        QTest::addColumn<BadFile>("file");
        const QString error = "Error loading image", damaged = "Damaged: only part of this photo could be read";
        QTest::newRow("zero bytes") << BadFile{"a.jpg", QByteArray(""), error};
        QTest::newRow("text named .gif") << BadFile{"a.gif", QByteArray("GIF? no, a shopping list\n"), error};
        QTest::newRow("JPEG cut after its header")
            << BadFile{"a.jpg", QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10), error};
        QTest::newRow("BMP claiming 100000 x 100000") << BadFile{"a.bmp", QByteArray::fromHex("424d360000000000000036"
            "00000028000000a0860100a0860100010018000000000000000000130b0000130b00000000000000000000"), error};
        QTest::newRow("GIF with a huge screen") << BadFile{"a.gif", QByteArray::fromHex("474946383961ffffffff80000000"
            "0000ffffff2c00000000010001000002024401003b"), error};
        QTest::newRow("progressive JPEG claiming 30000 x 30000") << BadFile{"huge-progressive.jpg", {}, error};
        // A progressive JPEG may repeat a scan; hundreds of repeats are a scan bomb. Scans out of order are damage.
        QTest::newRow("progressive, 20 scans") << BadFile{"scans-20.jpg", {}, damaged};
        QTest::newRow("scan bomb, 300 scans") << BadFile{"scans-300.jpg", {}, error};
        // A reduced decode keeps a 300-megapixel baseline photo cheap: it is shown.
        QTest::newRow("baseline 20000 x 15000") << BadFile{"huge-baseline.jpg", {}, damaged};
        // Shown as far as it was read, and said to be damaged; it can still be added.
        QTest::newRow("JPEG cut in half") << BadFile{"truncated.jpg", {}, damaged};
        for (const char *name : {"cmyk.jpg", "onebit.bmp", "rle8.bmp", "progressive.jpg", "animated.gif"})
            QTest::newRow(name) << BadFile{name, {}, QString()};
        QTest::newRow("FIFO") << BadFile{"a.jpg", {}, QString()}; // not listed: it could never be opened
    }

    void badFiles()
    {
        QFETCH(BadFile, file);
        const auto &[name, content, told] = file;
        const bool listed = QByteArray(QTest::currentDataTag()) != "FIFO", fails = told.startsWith(u"Error");
        writeImage(p->source(QStringLiteral("_first.bmp")), QSize(30, 30), Qt::blue);
        if (listed)
            writeFile(p->source(name), content.isNull() ? readFile(fixture(name)) : content);
        else
            QCOMPARE(::mkfifo(QFile::encodeName(p->source(name)).constData(), 0600), 0);
        QVERIFY(listed || !PreviewLoader::load(p->source(name))); // a FIFO does not hang the decoder
        writeImage(p->source(QStringLiteral("z.bmp")), QSize(30, 30), Qt::green);
        p->startBatch();
        writeImage(p->source(QStringLiteral("z.bmp")), QSize(60, 40), Qt::green); // after its prefetch may have begun
        QCOMPARE(p->listed().size(), listed ? 3 : 2);
        if (listed) {
            p->skip();
            QCOMPARE(p->status().section(QStringLiteral(" · "), 3), told);
            QCOMPARE(p->painted(), fails ? QString() : name); // a failed image leaves the preview empty
            QCOMPARE(p->canAdd(), !fails);
        }
        p->skip();
        QCOMPARE(p->painted(), QStringLiteral("z.bmp"));
        QCOMPARE(p->paintedSize(), QSize(60, 40));
        p->add();
        QCOMPARE(p->messages(), QStringList{last(listed ? "1 of 3" : "1 of 2")});
        QVERIFY(p->page().startsWith("<head>\r\n" + entry(1, "z.bmp", "") + "<middle>"));
    }

    void folderProblems_data()
    {
        QTest::addColumn<QString>("message");
        // Deleted after it was chosen, after a batch that added a.jpg: refused before any page or lock is made.
        QTest::newRow("source gone") << "Source Folder does not exist!";
        QTest::newRow("no target") << "No target folder is chosen. Choose a target folder for the slide show first.";
        QTest::newRow("target is a file") << "SlideShow.htm\" could not be created";
    }

    void folderProblems()
    {
        QFETCH(QString, message);
        const QByteArray problem = QTest::currentDataTag();
        const bool gone = problem == "source gone";
        writeImage(p->source(QStringLiteral("a.jpg")));
        writeFile(p->target(QStringLiteral("file")), "a file");
        if (gone) {
            p->startBatch();
            p->add(QStringLiteral("kept"));
            p->close();
            QVERIFY(QDir(p->source()).mkdir(QStringLiteral("gone")));
            p->chooseFolders(p->source(QStringLiteral("gone")), p->target());
            QVERIFY(QDir(p->source(QStringLiteral("gone"))).removeRecursively());
        } else if (problem == "no target") {
            objMediator->SetSourceFolder(p->source());
            objMediator->TargetFolder(); // cancelled
        } else {
            p->chooseFolders(p->source(), p->target(QStringLiteral("file")));
        }
        p->start();
        QVERIFY2(p->messages().last().contains(message), qPrintable(p->messages().join(QLatin1Char('\n'))));
        QVERIFY(!p->started() && !p->canAdd());
        if (gone) {
            p->add(QStringLiteral("unseen"));
            QCOMPARE(p->page(), "<head>\r\n" + entry(1, "a.jpg", "kept") + pageEnd("a.jpg", "My Slide Show"));
            QVERIFY(!QFile::exists(p->target(QStringLiteral(".SlideShow.htm.lock"))));
        }
        QCOMPARE(p->platform().programEnds, 0);
    }

    void byteForByte_data()
    {
        QTest::addColumn<Show>("show");
        QTest::newRow("text to escape")
            << Show{{"Tom's #1 Straße.jpg", "It's </script> C:\\ one\r\ntwo 東京"}, "<Tom> & \"Jerry\"",
                    QByteArray("\r\n\r\nPicture[1]  = 'Tom\\'s #1 Stra\xC3\x9F" "e.jpg'; \r\nCaption[1] = 'It\\'s "
                               "\\x3C/script> C:\\\\ one\\r\\ntwo \xE6\x9D\xB1\xE4\xBA\xAC' ;\r\n")
                        + pageEnd("Tom%27s%20%231%20Stra%C3%9Fe.jpg", "&lt;Tom&gt; &amp; \"Jerry\"")};
        QTest::newRow("no entries, empty name") << Show{{}, "", pageEnd("", "")};
    }

    void byteForByte()
    {
        QFETCH(Show, show);
        const auto &[entries, name, page] = show;
        // An earlier slide show at the same path must leave no trace in the new one.
        create();
        add(QStringLiteral("earlier.jpg"), QStringLiteral("earlier"));
        objMediator->slideShow().complete(QStringLiteral("My Slide Show"));
        objMediator->StartStateTwo();

        create();
        for (qsizetype i = 0; i < entries.size(); i += 2)
            add(entries[i], entries[i + 1]);
        objMediator->slideShow().complete(name);
        QCOMPARE(p->page(), "<head>\r\n" + page);
        for (qsizetype i = 0; i < entries.size(); i += 2)
            QCOMPARE(readFile(p->target(entries[i])), readFile(p->source(entries[i])));
    }

    // With the source as the target, a photo copied onto itself is left
    // alone. A source that opens but cannot be read from its start leaves no
    // partial copy behind, and the next entry is numbered as if it had never been tried.
    void copiesThatFailOrNeedNotBeMade()
    {
        create(p->source() + QStringLiteral("/."));
        const QString original = p->source(QStringLiteral("a.jpg"));
        writeFile(original, "the only copy");
        const QDateTime old(QDate(2001, 2, 3), QTime(4, 5, 6));
        QFile file(original);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(old, QFileDevice::FileModificationTime));
        add(QStringLiteral("a.jpg"), QStringLiteral("A"));
        QCOMPARE(readFile(original), QByteArray("the only copy"));
        QCOMPARE(QFileInfo(original).lastModified(), old);
        DecObj2 unreadable;
        unreadable.init(QStringLiteral("/proc/self/mem"), QStringLiteral("C"), objMediator->slideShow());
        QVERIFY_THROWS_EXCEPTION(DocumentError, unreadable.Execute());
        add(QStringLiteral("b.jpg"), QStringLiteral("B"));
        QCOMPARE(readFile(p->source("SlideShow.htm")), "<head>\r\n" + entry(1, "a.jpg", "A") + entry(2, "b.jpg", "B"));
        QCOMPARE(QDir(p->source()).entryList(QDir::Files | QDir::Hidden, QDir::Name), QStringList({".SlideShow.htm.state", "SlideShow.htm", "a.jpg", "b.jpg"}));
    }
};

QTEST_MAIN(TestBatch)
#include "tst_batch.moc"
