// SPDX-License-Identifier: MIT
// A batch keeps the folders it started with, takes folders exactly as chosen,
// and tells every failure with its true reason; with no window.
#include "testsupport.h"

#include "core/general.h"

#include <QtGui>
#include <QtTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {
bool isPlainFile(const QString &path) { return QFileInfo(path).isFile() && !QFileInfo(path).isSymLink(); }
}

class TestIntegrity : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestProgram> p;
    bool m_mounted = false;

private slots:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); } // a write past the size limit fails instead
    void init() { p = std::make_unique<TestProgram>(); }
    void cleanup()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(p->target()).constData(), MNT_DETACH);
        m_mounted = false;
        p.reset();
    }

    // Folders chosen in the Images window during a batch (the source, and with
    // it the target) are for the next Start only.
    void theBatchOwnsItsFolders()
    {
        const QString other = p->source(QStringLiteral("other"));
        QVERIFY(QDir().mkdir(other));
        writeImage(p->source(QStringLiteral("a.bmp")));
        writeImage(p->source(QStringLiteral("b.bmp")), QSize(20, 20), Qt::green);
        writeFile(other + QStringLiteral("/b.bmp"), "someone else's");
        p->startBatch();
        p->add();
        p->chooseFolders(other); // then Cancel
        QCOMPARE(p->painted(), QStringLiteral("b.bmp")); // still on show
        p->add();

        QCOMPARE(readFile(other + QStringLiteral("/b.bmp")), QByteArray("someone else's"));
        QCOMPARE(readFile(p->target(QStringLiteral("b.bmp"))), readFile(p->source(QStringLiteral("b.bmp"))));
        QCOMPARE(p->page(), "<head>\r\n" + entry(1, "a.bmp", "") + entry(2, "b.bmp", "") + pageEnd("a.bmp", "My Slide Show"));
        objMediator->viewSlideShow();
        QCOMPARE(p->platform().openedDocuments, QStringList{p->pagePath()});
        p->start();
        QVERIFY(QFile::exists(other + QStringLiteral("/SlideShow.htm")));
    }

    // Paths from the folder browser are used byte for byte up to a NUL: the
    // folder "photos " is not "photos". A cancelled browser changes nothing.
    void foldersAreTakenExactly()
    {
        const QString exact = p->source(QStringLiteral("photos "));
        QVERIFY(QDir().mkdir(exact) && QDir().mkdir(p->source(QStringLiteral("photos"))));
        writeFile(p->source(QStringLiteral("photos/SlideShow.htm")), "the other folder's show");
        writeImage(exact + QStringLiteral("/a.bmp"));
        p->chooseFolders(exact + QStringLiteral("\u0000   ")); // padding after the path, as a fixed buffer has
        objMediator->TargetFolder(); // cancelled: the target stays
        QCOMPARE(objMediator->GetTgtFolder(), exact);
        p->start();
        p->add();
        QCOMPARE(readFile(p->source(QStringLiteral("photos/SlideShow.htm"))), QByteArray("the other folder's show"));
        QCOMPARE(readFile(exact + QStringLiteral("/SlideShow.htm")),
                 "<head>\r\n" + entry(1, "a.bmp", "") + pageEnd("a.bmp", "My Slide Show"));
    }

    // Every failure is told with the system's reason; the page holds exactly the slides reported as added.
    void failuresAreToldTruly_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message"); // a part of the one message expected besides the last image's
        QTest::newRow("copy meets a full disk") << "full copy" << "No space left on device";
        QTest::newRow("copy's last write meets a full disk") << "nearly fits" << "No space left on device";
        QTest::newRow("entry meets a full disk") << "full page" << "No space left on device";
        QTest::newRow("entry meets the file size limit after the copy") << "too large" << "File too large";
        QTest::newRow("target deleted mid-batch, then the last photo") << "deleted" << "";
        QTest::newRow("page deleted mid-batch, then Add") << "deleted page" << "No such file or directory";
        QTest::newRow("253-byte name copied twice") << "long name" << "";
        QTest::newRow("page is a link to a file elsewhere") << "page link" << "";
        QTest::newRow("image is a link to the photo itself") << "self link" << ""; // replaced, not written through
        QTest::newRow("page is a pipe") << "page pipe" << "";
        QTest::newRow("nothing can open a page") << "no browser" << "";
    }

    void failuresAreToldTruly()
    {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        const auto is = [&fault](const char *name) { return fault == QLatin1String(name); };
        const bool full = is("full copy") || is("nearly fits") || is("full page");
        const bool gone = is("deleted") || is("deleted page"), bAdded = !full && !gone && !is("too large");
        QString photos = p->source();
        const QString elsewhere = p->source(QStringLiteral("elsewhere")), page = p->pagePath();
        QVERIFY(QDir().mkdir(elsewhere));
        writeFile(elsewhere + QStringLiteral("/keep"), "keep me");
        QByteArray b = "b.bmp", bCaption = "two", aCaption = is("too large") ? QByteArray(3000, 'a') : "one";
        QSize bSize(20, 20);
        if (full) {
            if (::mount("fotoweave-test", QFile::encodeName(p->target()).constData(), "tmpfs", 0, "size=64k") != 0)
                QSKIP(qPrintable(QStringLiteral("a small tmpfs cannot be mounted here: %1").arg(strerror(errno))));
            m_mounted = true;
            if (is("full page")) {
                photos = p->target(); // no copies: only the page grows
                bCaption = QByteArray(20'000, 'c');
            } else {
                bSize = is("full copy") ? QSize(300, 300) : QSize(150, 140); // 63 kB: nearly fits
            }
        } else if (is("long name")) {
            b = QByteArray(249, 'n') + ".bmp";
            writeFile(p->target(QString::fromLatin1(b)), "an older copy");
        } else if (is("deleted page")) {
            writeFile(p->target(QStringLiteral("b.bmp")), "the user's own b.bmp");
        } else if (is("page link")) {
            QVERIFY(QFile::link(elsewhere + QStringLiteral("/keep"), page));
        } else if (is("self link")) {
            QVERIFY(QFile::link(p->source(QStringLiteral("b.bmp")), p->target(QStringLiteral("b.bmp"))));
        } else if (is("page pipe")) {
            QCOMPARE(::mkfifo(QFile::encodeName(page).constData(), 0644), 0);
        }
        p->platform().documentsOpen = !is("no browser");
        writeImage(photos + QStringLiteral("/a.bmp"));
        writeImage(photos + QLatin1Char('/') + QString::fromLatin1(b), bSize, Qt::green);

        p->chooseFolders(photos, p->target());
        p->platform().questionAnswers.enqueue(QStringLiteral("Replace"));
        p->start(); // a pipe is neither opened nor read, so nothing waits for it
        if (fault.startsWith(QLatin1String("page")))
            QVERIFY(p->platform().questions.value(0).contains(is("page pipe") ? "not an ordinary file" : "not a slide show"));
        p->add(QString::fromLatin1(aCaption));
        const QString filler = p->target(QStringLiteral("filler"));
        if (is("deleted")) {
            QVERIFY(QDir(p->target()).removeRecursively());
        } else {
            if (is("full page")) {
                QFile fill(filler);
                QVERIFY(fill.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
                while (fill.write(QByteArray(512, 'f')) == 512) {
                }
            }
            if (is("deleted page"))
                QVERIFY(QFile::remove(page));
            // Room for the copy of b (1,254 bytes), not for its entry.
            const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY}, tight{rlim_t(p->page().size() + 20), RLIM_INFINITY};
            if (is("too large"))
                QCOMPARE(::setrlimit(RLIMIT_FSIZE, &tight), 0);
            p->add(QString::fromLatin1(bCaption));
            ::setrlimit(RLIMIT_FSIZE, &unlimited);
            if (!bAdded)
                QCOMPARE(p->shown(), QString::fromLatin1(b)); // a refused image stays on show
            QFile::remove(filler);
        }
        p->skip();

        // A page that could not be completed is never announced as made.
        const QString finished = QStringLiteral("%1 of 2 added to %2").arg(bAdded ? 2 : 1).arg(page);
        const QString notCompleted = QStringLiteral("The slide show \"%1\" could not be written: No such file or directory.").arg(page);
        QCOMPARE(p->messages().count(QStringLiteral("Last image reached.\n") + (gone ? notCompleted : finished)), 1);
        QCOMPARE(p->messages().filter(QStringLiteral(" added to ")).size(), gone ? 0 : 1);
        QCOMPARE(p->status(), gone ? notCompleted : QStringLiteral("Finished: ") + finished);
        objMediator->viewSlideShow();
        objMediator->openUserGuide();
        const QStringList told = p->messages().filter(QRegularExpression(QStringLiteral("^(?!Last image reached|The slide show that was there is kept)")));
        if (!message.isEmpty()) {
            QCOMPARE(told.size(), 1);
            QVERIFY2(told[0].contains(message) && !told[0].contains(QStringLiteral("Unknown error")), qPrintable(told[0]));
        } else {
            const QString none = QStringLiteral("No program could be found to open the page \"%1\".");
            QCOMPARE(told, is("no browser") ? QStringList({none.arg(page), none.arg(p->programFolder() + "/UsersGuide.htm")}) : QStringList());
        }
        if (gone) {
            QVERIFY(!objMediator->buttons().viewVisible); // no page to view
            // Nothing of a photo without an entry, and what was there stays.
            QCOMPARE(readFile(p->target(QStringLiteral("b.bmp"))), is("deleted") ? QByteArray() : "the user's own b.bmp");
            return;
        }
        QCOMPARE(p->page(), "<head>\r\n" + entry(1, "a.bmp", aCaption) + (bAdded ? entry(2, b, bCaption) : QByteArray())
                     + pageEnd("a.bmp", "My Slide Show"));
        QVERIFY(isPlainFile(page));
        const QString copy = p->target(QString::fromLatin1(b));
        QCOMPARE(isPlainFile(copy), bAdded || photos == p->target());
        if (bAdded)
            QCOMPARE(readFile(copy), readFile(p->source(QString::fromLatin1(b))));
        QCOMPARE(readFile(elsewhere + QStringLiteral("/keep")), QByteArray("keep me"));
        QCOMPARE(QDir(p->target()).entryList({QStringLiteral(".fw-*")}, QDir::Files | QDir::Hidden), QStringList());
    }
};

QTEST_MAIN(TestIntegrity)
#include "tst_integrity.moc"
