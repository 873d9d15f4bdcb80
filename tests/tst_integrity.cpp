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

/** A fault, the system's reason (cause) the one message besides the last image's gives, and b.bmp's size and caption. */
struct Failure { QString fault, cause = {}; QSize bSize = {20, 20}; QByteArray bCaption = "two"; };

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
        if (std::exchange(m_mounted, false))
            ::umount2(QFile::encodeName(p->target()).constData(), MNT_DETACH);
        p.reset();
    }

    // Paths from the folder browser are used byte for byte up to a NUL: the folder "photos " is not "photos". A
    // cancelled browser changes nothing. Folders chosen in the Images window during a batch (the source, and with it
    // the target) are for the next Start only.
    void foldersAreTakenExactly()
    {
        const QString exact = p->source(QStringLiteral("photos ")), other = p->source(QStringLiteral("photos"));
        QVERIFY(QDir().mkdir(exact) && QDir().mkdir(other));
        writeFile(other + QStringLiteral("/SlideShow.htm"), "the other folder's show");
        writeImage(exact + QStringLiteral("/a.bmp"));
        writeImage(exact + QStringLiteral("/b.bmp"), QSize(20, 20), Qt::green);
        p->chooseFolders(exact + QStringLiteral("\u0000   ")); // padding after the path, as a fixed buffer has
        objMediator->TargetFolder(); // cancelled: the target stays
        QCOMPARE(objMediator->GetTgtFolder(), exact);
        p->start();
        p->add();
        p->chooseFolders(other); // then Cancel
        QCOMPARE(p->painted(), QStringLiteral("b.bmp")); // still on show
        p->add();

        QCOMPARE(readFile(other + QStringLiteral("/SlideShow.htm")), QByteArray("the other folder's show"));
        QVERIFY(!QFileInfo::exists(other + QStringLiteral("/b.bmp"))); // no copy in the folder chosen during the batch
        const QString page = exact + QStringLiteral("/SlideShow.htm");
        QCOMPARE(readFile(page),
                 "<head>\r\n" + entry(1, "a.bmp", "") + entry(2, "b.bmp", "") + pageEnd("a.bmp", "My Slide Show"));
        objMediator->viewSlideShow();
        QCOMPARE(p->platform().openedDocuments, QStringList{page});
        p->start(); // asks about the page in the folder chosen during the batch
        QVERIFY(p->platform().questions.value(0).contains(other + QStringLiteral("/SlideShow.htm")));
    }

    // Every failure is told with the system's reason; the page holds exactly the slides reported as added.
    void failuresAreToldTruly_data()
    {
        QTest::addColumn<Failure>("failure");
        const QString noSpace = "No space left on device";
        QTest::newRow("copy meets a full disk") << Failure{"full copy", noSpace, {300, 300}};
        // A b.bmp of 63 kB nearly fits.
        QTest::newRow("copy's last write meets a full disk") << Failure{"full, nearly fits", noSpace, {150, 140}};
        QTest::newRow("entry meets a full disk") << Failure{"full page", noSpace, {20, 20}, QByteArray(20'000, 'c')};
        QTest::newRow("entry meets the file size limit after the copy") << Failure{"too large", "File too large"};
        QTest::newRow("target deleted mid-batch, then the last photo") << Failure{"deleted"};
        QTest::newRow("page deleted mid-batch, then Add") << Failure{"deleted page", "No such file or directory"};
        QTest::newRow("253-byte name copied twice") << Failure{"long name"};
        QTest::newRow("page is a link to a file elsewhere") << Failure{"page link"};
        QTest::newRow("image is a link to the photo itself") << Failure{"self link"}; // replaced, not written through
        QTest::newRow("page is a pipe") << Failure{"page pipe"};
        QTest::newRow("nothing can open a page") << Failure{"no browser"};
    }

    void failuresAreToldTruly()
    {
        QFETCH(Failure, failure);
        const auto &[fault, cause, bSize, bCaption] = failure;
        const bool full = fault.startsWith(QLatin1String("full")), gone = fault.startsWith(QLatin1String("deleted"));
        const bool bAdded = !full && !gone && fault != "too large";
        const QString keep = p->source(QStringLiteral("keep")), page = p->pagePath(); // keep is no photo: never listed
        const QString photos = fault == "full page" ? p->target() : p->source(); // no copies: only the page grows
        const QString b = fault == "long name" ? QString(249, u'n') + ".bmp" : "b.bmp";
        const QByteArray aCaption = fault == "too large" ? QByteArray(3000, 'a') : "one";
        writeFile(keep, "keep me");
        if (full && ::mount("fotoweave-test", QFile::encodeName(p->target()).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP(qPrintable(QStringLiteral("a small tmpfs cannot be mounted here: %1").arg(strerror(errno))));
        m_mounted = full;
        if (fault == "long name" || fault == "deleted page")
            writeFile(p->target(b), "the user's own b.bmp");
        else if (fault.endsWith(QLatin1String("link")))
            QVERIFY(fault == "page link" ? QFile::link(keep, page) : QFile::link(p->source(b), p->target(b)));
        else if (fault == "page pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(page).constData(), 0644), 0);
        p->platform().documentsOpen = fault != "no browser";
        writeImage(photos + QStringLiteral("/a.bmp"));
        writeImage(photos + QLatin1Char('/') + b, bSize, Qt::green);

        p->chooseFolders(photos, p->target());
        p->platform().questionAnswers.enqueue(QStringLiteral("Replace"));
        p->start(); // a pipe is neither opened nor read, so nothing waits for it
        if (fault.startsWith(QLatin1String("page")))
            QVERIFY(p->platform().questions.value(0).contains(fault.endsWith("pipe") ? "ordinary" : "not a slide show"));
        p->add(QString::fromLatin1(aCaption));
        if (fault == "deleted")
            QVERIFY(QDir(p->target()).removeRecursively());
        else if (fault == "deleted page")
            QVERIFY(QFile::remove(page));
        QFile fill(p->target(QStringLiteral("filler"))); // for a full page, to the last block: there one write stops
        if (fault == "full page")
            QVERIFY(fill.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && fill.write(QByteArray(65536, 'f')) > 0);
        // Room for the copy of b (1,254 bytes), not for its entry.
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY}, tight{rlim_t(p->page().size() + 20), RLIM_INFINITY};
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, fault == "too large" ? &tight : &unlimited), 0);
        if (fault != "deleted") // the last photo is skipped
            p->add(QString::fromLatin1(bCaption));
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        if (!bAdded)
            QCOMPARE(p->shown(), b); // a refused image stays on show
        fill.remove();
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
        const QString none = "No program could be found to open the page \"%1\".", all = told.join('\n');
        if (fault == "no browser")
            QCOMPARE(told, QStringList({none.arg(page), none.arg(p->programFolder() + "/UsersGuide.htm")}));
        else // the one failure, with the system's reason
            QVERIFY2(told.size() == !cause.isEmpty() && all.contains(cause) && !all.contains("Unknown"), all.toUtf8());
        QCOMPARE(objMediator->buttons().viewVisible, !gone); // no page to view when it is gone
        if (gone) {
            // Nothing of a photo without an entry, and what was there stays.
            QCOMPARE(readFile(p->target(b)), fault == "deleted" ? QByteArray() : "the user's own b.bmp");
            return;
        }
        QCOMPARE(p->page(), "<head>\r\n" + entry(1, "a.bmp", aCaption)
                     + (bAdded ? entry(2, b.toLatin1(), bCaption) : QByteArray()) + pageEnd("a.bmp", "My Slide Show"));
        const auto isPlainFile = [](const QFileInfo &file) { return file.isFile() && !file.isSymLink(); };
        QVERIFY(isPlainFile(QFileInfo(page)));
        QCOMPARE(isPlainFile(QFileInfo(p->target(b))), bAdded || photos == p->target());
        if (bAdded)
            QCOMPARE(readFile(p->target(b)), readFile(p->source(b)));
        QCOMPARE(readFile(keep), QByteArray("keep me"));
        QCOMPARE(QDir(p->target()).entryList({QStringLiteral(".fw-*")}, QDir::Files | QDir::Hidden), QStringList());
    }
};

QTEST_MAIN(TestIntegrity)
#include "tst_integrity.moc"
