// SPDX-License-Identifier: MIT
// A batch keeps the folders it started with, takes folders exactly as chosen,
// adds only what the user saw, and tells every failure with its true reason.
#include "testsupport.h"

#include "ui/form1.h"
#include "ui/form2.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QtTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {
bool isPlainFile(const QString &path) { return QFileInfo(path).isFile() && !QFileInfo(path).isSymLink(); }

/** A mouse event as the window system delivers it, made at a time of the monotonic clock. */
void mouse(QWidget *widget, QEvent::Type type, qint64 at)
{
    const QPoint middle = widget->rect().center();
    const bool down = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    QMouseEvent event(type, middle, widget->mapToGlobal(middle), Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    event.setTimestamp(quint64(at));
    QApplication::sendEvent(widget, &event);
}
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
        p->form()->mnuOpen->trigger();
        p->platform().folderAnswers.enqueue(other);
        QTest::mouseClick(p->dialog()->btnSource, Qt::LeftButton);
        QTest::mouseClick(p->dialog()->Command2, Qt::LeftButton);
        QCOMPARE(p->centre(), QColor(Qt::green).rgb()); // still on show
        p->add();

        QCOMPARE(readFile(other + QStringLiteral("/b.bmp")), QByteArray("someone else's"));
        QCOMPARE(readFile(p->target(QStringLiteral("b.bmp"))), readFile(p->source(QStringLiteral("b.bmp"))));
        QCOMPARE(p->page(), "<head>\r\n" + entry(1, "a.bmp", "") + entry(2, "b.bmp", "") + pageEnd("a.bmp", "My Slide Show"));
        QTest::mouseClick(p->form()->btnView, Qt::LeftButton);
        QCOMPARE(p->platform().openedDocuments, QStringList{p->pagePath()});
        p->form()->mnuOpen->trigger();
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
        QTest::mouseClick(p->dialog()->btnTarget, Qt::LeftButton); // cancelled: the target stays
        QCOMPARE(p->dialog()->txtTgtFolder->text(), exact);
        p->start();
        p->add();
        QCOMPARE(readFile(p->source(QStringLiteral("photos/SlideShow.htm"))), QByteArray("the other folder's show"));
        QCOMPARE(readFile(exact + QStringLiteral("/SlideShow.htm")),
                 "<head>\r\n" + entry(1, "a.bmp", "") + pageEnd("a.bmp", "My Slide Show"));
    }

    // "Add to SlideShow" and "Skip" act on the image the user saw; captions are never cut.
    void addWhatYouSee_data()
    {
        QTest::addColumn<QString>("press");
        QTest::addColumn<QByteArray>("added"); // the one file added, if any
        QTest::addColumn<QString>("onShow");
        QTest::newRow("Enter held down") << "held enter" << QByteArray("a.bmp") << "b.bmp";
        QTest::newRow("double-click on Add") << "double add" << QByteArray("a.bmp") << "b.bmp";
        QTest::newRow("double-click on Skip") << "double skip" << QByteArray() << "b.bmp";
        QTest::newRow("click made before the image was painted") << "early" << QByteArray() << "a.bmp";
        QTest::newRow("image that failed to load") << "failed" << QByteArray("c.bmp") << "c.bmp";
        QTest::newRow("caption of 100,000 characters") << "long caption" << QByteArray("a.bmp") << "b.bmp";
    }

    void addWhatYouSee()
    {
        QFETCH(QString, press);
        QFETCH(QByteArray, added);
        QFETCH(QString, onShow);
        writeImage(p->source(QStringLiteral("a.bmp")));
        writeImage(p->source(QStringLiteral("b.bmp")));
        writeImage(p->source(QStringLiteral("c.bmp")));
        if (press == QLatin1String("failed"))
            writeFile(p->source(QStringLiteral("a.bmp")), "not a picture");
        p->startBatch();
        QPushButton *add = p->form()->Command4;
        const qint64 t = QDeadlineTimer::current().deadline();
        QByteArray caption;
        if (press == QLatin1String("held enter")) {
            QTest::keyClick(p->form()->txtCaption, Qt::Key_Return);
            QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
            QApplication::sendEvent(p->form()->txtCaption, &repeat);
        } else if (press.startsWith(QLatin1String("double"))) {
            QPushButton *button = press == QLatin1String("double add") ? add : p->form()->Next;
            mouse(button, QEvent::MouseButtonPress, t);
            mouse(button, QEvent::MouseButtonRelease, t + 60);
            mouse(button, QEvent::MouseButtonPress, t + 150);
            mouse(button, QEvent::MouseButtonDblClick, t + 150);
            mouse(button, QEvent::MouseButtonRelease, t + 210);
        } else if (press == QLatin1String("early")) {
            mouse(add, QEvent::MouseButtonPress, t - 500);
            mouse(add, QEvent::MouseButtonRelease, t - 440);
        } else if (press == QLatin1String("failed")) {
            QCOMPARE(p->messages(), QStringList{QStringLiteral("Error loading image\na.bmp")});
            QVERIFY(!add->isEnabled());
            p->add();
            QCOMPARE(p->shown(), QStringLiteral("a.bmp"));
            p->skip();
            p->skip();
            p->add();
        } else if (press == QLatin1String("long caption")) {
            caption = QByteArray(99'999, 'x') + '!';
            p->form()->txtCaption->insert(QString::fromLatin1(caption)); // as a paste does
            QTest::mouseClick(add, Qt::LeftButton);
        }
        const QByteArray expected = "<head>\r\n" + (added.isEmpty() ? QByteArray() : entry(1, added, caption));
        QCOMPARE(p->page().left(expected.size()), expected);
        QVERIFY(!p->page().contains(added.isEmpty() ? "Picture[1]" : "Picture[2]"));
        QCOMPARE(p->shown(), onShow);
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
            p->form()->txtCaption->setText(QString::fromLatin1(bCaption));
            QTest::mouseClick(p->form()->Command4, Qt::LeftButton);
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
        QCOMPARE(p->form()->StatusBar1->findChild<QLabel *>(QStringLiteral("StatusBar1_Panel1"))->text(),
                 gone ? notCompleted : QStringLiteral("Finished: ") + finished);
        QTest::mouseClick(p->form()->btnView, Qt::LeftButton);
        p->form()->mnuUserGuide->trigger();
        const QStringList told = p->messages().filter(QRegularExpression(QStringLiteral("^(?!Last image reached)")));
        if (!message.isEmpty()) {
            QCOMPARE(told.size(), 1);
            QVERIFY2(told[0].contains(message) && !told[0].contains(QStringLiteral("Unknown error")), qPrintable(told[0]));
        } else {
            const QString none = QStringLiteral("No program could be found to open the page \"%1\".");
            QCOMPARE(told, is("no browser") ? QStringList({none.arg(page), none.arg(p->programFolder() + "/UsersGuide.htm")}) : QStringList());
        }
        if (gone) {
            QVERIFY(!p->form()->btnView->isVisible()); // no page to view
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
