// SPDX-License-Identifier: MIT
// Bad input and faults, driven through a real batch: what the user sees, and
// what is on disk afterwards. Nothing the user added may be lost, and no
// original image may be harmed.
#include "testsupport.h"

#include "commands/stack.h"
#include "core/general.h"
#include "document/pagetext.h"
#include "document/slideshow.h"
#include "modes/state2.h"
#include "modes/statemanager.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/picturebox.h"

#include <QAction>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include <csignal>
#include <sys/mount.h>
#include <unistd.h>

namespace {
const QString ErrorLoading = QStringLiteral("Error loading image");

/** Fingerprints of every file below a folder, to show nothing was changed. */
QMap<QString, QByteArray> fingerprints(const QString &folder)
{
    QMap<QString, QByteArray> prints;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        prints.insert(path, QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha256));
    }
    return prints;
}

/** Mounts a file system for a test, or says why it cannot. */
QString tryMount(const char *source, const QString &target, const char *type, unsigned long flags, const char *data)
{
    if (::mount(source, QFile::encodeName(target).constData(), type, flags, data) != 0)
        return QString::fromLocal8Bit(strerror(errno));
    return QString();
}
}

class TestFaults : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_program = std::make_unique<TestProgram>(true);
        m_photos = std::make_unique<QTemporaryDir>();
        m_target = std::make_unique<QTemporaryDir>();
        QVERIFY2(m_photos->isValid() && m_target->isValid(), "no temporary folders");
    }

    void cleanup()
    {
        m_program.reset();
        for (const QString &mount : std::as_const(m_mounts))
            ::umount2(QFile::encodeName(mount).constData(), MNT_DETACH);
        m_mounts.clear();
        m_photos.reset();
        m_target.reset();
    }

    void badImages_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");   // null: copy the fixture of that name
        QTest::addColumn<QString>("outcome");      // "preview", "error" or "either"
        QTest::addColumn<QRgb>("colour");          // the preview's centre, for "preview"

        const QByteArray fixture;
        const QRgb red = qRgb(200, 30, 60);
        QTest::newRow("zero bytes") << QStringLiteral("a.jpg") << QByteArray("") << QStringLiteral("error") << red;
        QTest::newRow("text named .gif") << QStringLiteral("a.gif") << QByteArray("GIF? no, a shopping list\n")
                                         << QStringLiteral("error") << red;
        QByteArray huge("BM", 2);
        huge += QByteArray::fromHex("36000000" "00000000" "36000000" "28000000" "a0860100" "a0860100" "0100" "1800"
                                    "00000000" "00000000" "130b0000" "130b0000" "00000000" "00000000");
        QTest::newRow("BMP claiming 100000 x 100000") << QStringLiteral("a.bmp") << huge << QStringLiteral("error") << red;
        QByteArray screen = QByteArray("GIF89a") + QByteArray::fromHex("ffffffff" "800000" "000000" "ffffff")
            + QByteArray::fromHex("2c00000000010001000002024401003b");
        QTest::newRow("GIF with a huge logical screen") << QStringLiteral("a.gif") << screen
                                                        << QStringLiteral("error") << red;
        QTest::newRow("truncated JPEG") << QStringLiteral("truncated.jpg") << fixture << QStringLiteral("either") << red;
        QTest::newRow("CMYK JPEG") << QStringLiteral("cmyk.jpg") << fixture << QStringLiteral("preview") << red;
        QTest::newRow("1-bit BMP") << QStringLiteral("onebit.bmp") << fixture << QStringLiteral("preview")
                                   << qRgb(255, 255, 255);
        QTest::newRow("RLE BMP") << QStringLiteral("rle8.bmp") << fixture << QStringLiteral("preview") << red;
        QTest::newRow("progressive JPEG") << QStringLiteral("progressive.jpg") << fixture << QStringLiteral("preview")
                                          << red;
        QTest::newRow("animated GIF, first frame") << QStringLiteral("animated.gif") << fixture
                                                   << QStringLiteral("preview") << red;
    }

    void badImages()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, outcome);
        QFETCH(QRgb, colour);
        const QString path = m_photos->filePath(name);
        if (name == QLatin1String("truncated.jpg")) {
            const QByteArray whole = readFile(fixture("progressive.jpg"));
            writeFile(path, whole.left(whole.size() / 2));
        } else if (content.isNull()) {
            QVERIFY(QFile::copy(fixture(name.toLatin1().constData()), path));
        } else {
            writeFile(path, content);
        }
        writeImage(m_photos->filePath(QStringLiteral("zz-after.bmp")), QSize(30, 30), Qt::blue);

        startBatch(m_photos->path(), m_target->path());
        const int errors = int(m_program->platform().messages.count(ErrorLoading));
        QVERIFY(errors <= 1);
        if (outcome == QLatin1String("error"))
            QCOMPARE(errors, 1);
        if (outcome == QLatin1String("preview")) {
            QCOMPARE(errors, 0);
            const QRgb seen = centre();
            QVERIFY2(std::abs(qRed(seen) - qRed(colour)) + std::abs(qGreen(seen) - qGreen(colour))
                             + std::abs(qBlue(seen) - qBlue(colour)) <= 24,
                     qPrintable(QColor(seen).name() + QStringLiteral(" instead of ") + QColor(colour).name()));
        }
        if (errors == 0)
            QVERIFY(centre() != qRgb(192, 192, 192)); // something was painted

        // The batch goes on, and only what is added reaches the document.
        QTest::mouseClick(m_program->form()->Next, Qt::LeftButton);
        QCOMPARE(objMediator->GetSourceFile(), m_photos->filePath(QStringLiteral("zz-after.bmp")));
        QTest::mouseClick(m_program->form()->Command4, Qt::LeftButton);
        QCOMPARE(int(m_program->platform().messages.count(ErrorLoading)), errors);
        QCOMPARE(m_program->platform().messages.last(),
                 QStringLiteral("Last image reached.\n1 of 2 added to ") + m_target->filePath(QStringLiteral("SlideShow.htm")));
        const QByteArray page = readFile(m_target->filePath(QStringLiteral("SlideShow.htm")));
        QVERIFY(page.startsWith(TestProgram::shippedHead() + slideEntry(1, "zz-after.bmp", "")));
        QVERIFY(!page.contains("Picture[2]"));
        QVERIFY(!QFile::exists(m_target->filePath(name)));
    }

    void filesThatVanishOrCannotBeRead_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("deleted after the scan") << QStringLiteral("delete");
        QTest::newRow("dangling link") << QStringLiteral("dangling");
        QTest::newRow("replaced by a folder") << QStringLiteral("folder");
    }

    void filesThatVanishOrCannotBeRead()
    {
        QFETCH(QString, how);
        writeImage(m_photos->filePath(QStringLiteral("a.bmp")), QSize(30, 30), Qt::green);
        const QString victim = m_photos->filePath(QStringLiteral("b.jpg"));
        if (how == QLatin1String("dangling"))
            QVERIFY(QFile::link(m_photos->filePath(QStringLiteral("gone.jpg")), victim));
        else
            writeImage(victim, QSize(30, 30), Qt::red);
        writeImage(m_photos->filePath(QStringLiteral("c.bmp")), QSize(30, 30), Qt::blue);

        startBatch(m_photos->path(), m_target->path());
        if (how == QLatin1String("delete")) {
            QVERIFY(QFile::remove(victim));
        } else if (how == QLatin1String("folder")) {
            QVERIFY(QFile::remove(victim));
            QVERIFY(QDir().mkdir(victim));
        }
        QTest::mouseClick(m_program->form()->Next, Qt::LeftButton);
        QCOMPARE(m_program->platform().messages, QStringList{ErrorLoading});
        QCOMPARE(centre(), QColor(Qt::green).rgb()); // the previous preview stays

        // Adding what failed to load is refused with a reason; the batch goes on.
        QTest::mouseClick(m_program->form()->Command4, Qt::LeftButton);
        QCOMPARE(m_program->platform().messages.size(), 2);
        QVERIFY2(m_program->platform().messages[1].contains(QStringLiteral("b.jpg")),
                 qPrintable(m_program->platform().messages[1]));
        QTest::mouseClick(m_program->form()->Next, Qt::LeftButton);
        QCOMPARE(centre(), QColor(Qt::blue).rgb());
        QCOMPARE(lngSlideCount, 0);
        QCOMPARE(readFile(m_target->filePath(QStringLiteral("SlideShow.htm"))), TestProgram::shippedHead());
    }

    void sourceFolderProblems()
    {
        // A "folder" that cannot be listed. (One deleted after it was chosen is
        // a batch test.)
        const QString dangling = m_target->filePath(QStringLiteral("photos"));
        QVERIFY(QFile::link(m_target->filePath(QStringLiteral("nowhere")), dangling));
        openDialog();
        chooseFolder(dangling);
        QCOMPARE(m_program->platform().messages.size(), 1);
        QVERIFY2(m_program->platform().messages[0].contains(QStringLiteral("could not be read")),
                 qPrintable(m_program->platform().messages[0]));
        QCOMPARE(m_program->dialog()->List1->count(), 0);
        QCOMPARE(m_program->platform().programEnds, 0);
    }

    void targetFolderProblems_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << QStringLiteral("missing");
        QTest::newRow("a file in its place") << QStringLiteral("file");
        QTest::newRow("read-only mount") << QStringLiteral("readonly");
    }

    void targetFolderProblems()
    {
        QFETCH(QString, kind);
        writeImage(m_photos->filePath(QStringLiteral("a.bmp")), QSize(20, 20));
        const auto before = fingerprints(m_photos->path());
        QString target = m_target->filePath(QStringLiteral("target"));
        if (kind == QLatin1String("file")) {
            writeFile(target, "I am a file");
        } else if (kind == QLatin1String("readonly")) {
            QDir().mkdir(target);
            QString why = tryMount(QFile::encodeName(m_target->path()).constData(), target, nullptr, MS_BIND, nullptr);
            if (why.isEmpty()) {
                m_mounts << target;
                why = tryMount(nullptr, target, nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr);
            }
            if (!why.isEmpty() || ::access(QFile::encodeName(target).constData(), W_OK) == 0)
                QSKIP(qPrintable(QStringLiteral("a read-only bind mount is not possible here: %1").arg(why)));
        }

        openDialog();
        chooseFolder(m_photos->path());
        chooseFolder(target, true);
        QTest::mouseClick(m_program->dialog()->Command1, Qt::LeftButton);
        QCOMPARE(m_program->platform().messages.size(), 1);
        QVERIFY2(m_program->platform().messages[0].contains(QStringLiteral("SlideShow.htm")),
                 qPrintable(m_program->platform().messages[0]));
        QVERIFY(m_program->dialog()->isVisible());
        QVERIFY(!m_program->form()->Command4->isEnabled());
        QCOMPARE(m_program->platform().programEnds, 0);
        QCOMPARE(fingerprints(m_photos->path()), before);
    }

    void aFullTargetFolderLosesNothing()
    {
        const QString target = m_target->filePath(QStringLiteral("small"));
        QDir().mkdir(target);
        const QString why = tryMount("fotoweave-test", target, "tmpfs", 0, "size=64k");
        if (!why.isEmpty())
            QSKIP(qPrintable(QStringLiteral("a small tmpfs cannot be mounted here: %1").arg(why)));
        m_mounts << target;

        writeImage(m_photos->filePath(QStringLiteral("a.bmp")), QSize(20, 20), Qt::red);       // small
        writeImage(m_photos->filePath(QStringLiteral("b.bmp")), QSize(300, 300), Qt::green);   // 270 kB: too big
        writeImage(m_photos->filePath(QStringLiteral("c.bmp")), QSize(20, 20), Qt::blue);
        const auto before = fingerprints(m_photos->path());
        startBatch(m_photos->path(), target);
        QTest::keyClicks(m_program->form()->txtCaption, QStringLiteral("fits"));
        QTest::mouseClick(m_program->form()->Command4, Qt::LeftButton);
        QTest::keyClicks(m_program->form()->txtCaption, QStringLiteral("too big"));
        QTest::mouseClick(m_program->form()->Command4, Qt::LeftButton);

        QCOMPARE(m_program->platform().messages.size(), 1);
        QVERIFY2(m_program->platform().messages[0].contains(QStringLiteral("b.bmp")),
                 qPrintable(m_program->platform().messages[0]));
        QCOMPARE(objMediator->GetSourceFile(), m_photos->filePath(QStringLiteral("b.bmp"))); // still on show
        QCOMPARE(m_program->form()->txtCaption->text(), QStringLiteral("too big"));            // caption kept
        QVERIFY(!QFile::exists(target + QStringLiteral("/b.bmp")));
        QCOMPARE(QDir(target).entryList(QDir::Files | QDir::Hidden).size(), 2); // page and a.bmp, no leftovers
        QCOMPARE(readFile(target + QStringLiteral("/SlideShow.htm")), TestProgram::shippedHead() + slideEntry(1, "a.bmp", "fits"));

        QTest::mouseClick(m_program->form()->Next, Qt::LeftButton);
        QTest::mouseClick(m_program->form()->Command4, Qt::LeftButton);
        QVERIFY(readFile(target + QStringLiteral("/SlideShow.htm")).contains(slideEntry(2, "c.bmp", "")));
        QCOMPARE(fingerprints(m_photos->path()), before);
    }

    void strangeNamesAndLongText()
    {
        const QStringList names{QStringLiteral("with space.jpg"), QStringLiteral("quote's \"q\".jpg"),
                                QStringLiteral("#hash.jpg"), QStringLiteral("100%.jpg"),
                                QStringLiteral("Ünïcødé 写真.jpg"), QStringLiteral(".hidden.jpg"),
                                QStringLiteral("Case.jpg"), QStringLiteral("case.jpg")};
        int shade = 0;
        for (const QString &name : names)
            writeImage(m_photos->filePath(name), QSize(20, 20), QColor(shade += 25, 100, 150));
        const auto before = fingerprints(m_photos->path());
        const QString everything = QStringLiteral("'\"\\<>&%#;</script><!-- \r\n\t💥 ünï");
        const QString longCaption = QString(10'000, QLatin1Char('x'));
        m_program->form()->txtSlideShowName->setText(everything);

        startBatch(m_photos->path(), m_target->path());
        QStringList captions;
        for (int i = 0; i < names.size(); ++i) {
            const QString caption = i == 0 ? longCaption : everything + QString::number(i);
            m_program->form()->txtCaption->setText(caption);
            captions << caption;
            QTest::mouseClick(m_program->form()->Command4, Qt::LeftButton);
        }
        QCOMPARE(m_program->platform().messages, QStringList{QStringLiteral("Last image reached.\n8 of 8 added to ") + m_target->filePath(QStringLiteral("SlideShow.htm"))});

        const QByteArray page = readFile(m_target->filePath(QStringLiteral("SlideShow.htm")));
        QStringList shown;
        for (int i = 0; i < names.size(); ++i) {
            const int at = page.indexOf("Picture[" + QByteArray::number(i + 1) + "]");
            QVERIFY(at > 0);
            const QByteArray line = page.mid(at, page.indexOf("\r\n", at) - at);
            QVERIFY(page.contains(PageText::captionLine(i + 1, captions[i])));
            shown << QString::fromUtf8(line);
        }
        for (const QString &name : names) {
            QVERIFY2(shown.join(QLatin1Char('\n')).contains(QString::fromUtf8(PageText::scriptString(name))),
                     qPrintable(name));
            QCOMPARE(readFile(m_target->filePath(name)), readFile(m_photos->filePath(name)));
        }
        QVERIFY(page.contains("> " + PageText::markup(everything) + " </TD></TR>"));
        QCOMPARE(fingerprints(m_photos->path()), before);
    }

    void fortyThousandImages()
    {
        const QString image = m_target->filePath(QStringLiteral("one.bmp"));
        writeImage(image, QSize(8, 8), Qt::red);
        const QByteArray bytes = readFile(image);
        constexpr int Count = 40'000;
        for (int i = 0; i < Count; ++i) {
            QFile file(m_photos->filePath(QStringLiteral("p%1.bmp").arg(i)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        startBatch(m_photos->path(), m_target->path());
        QCOMPARE(objMediator->GetSourceFile(), m_photos->filePath(QStringLiteral("p0.bmp")));
        QCOMPARE(m_program->dialog()->List1->count(), Count);

        auto *batch = static_cast<State2 *>(objMediator->stateManager()->two());
        QCOMPARE(batch->queue()->count(), std::size_t(Count - 1));
        while (batch->queue()->count() > 1)
            batch->queue()->NextElement(); // as if skipped, without painting each
        QTest::mouseClick(m_program->form()->Next, Qt::LeftButton);
        QCOMPARE(objMediator->GetSourceFile(), m_photos->filePath(QStringLiteral("p39999.bmp")));
        QCOMPARE(centre(), QColor(Qt::red).rgb());
        QTest::mouseClick(m_program->form()->Command4, Qt::LeftButton);
        QCOMPARE(m_program->platform().messages, QStringList{QStringLiteral("Last image reached.\n1 of 40000 added to ") + m_target->filePath(QStringLiteral("SlideShow.htm"))});
        QVERIFY(readFile(m_target->filePath(QStringLiteral("SlideShow.htm"))).contains("Picture[1]  = 'p39999.bmp';"));
    }

    void exitMidBatchKeepsEveryEntry()
    {
        for (const char *name : {"a.bmp", "b.bmp", "c.bmp"})
            writeImage(m_photos->filePath(QLatin1String(name)), QSize(20, 20));
        startBatch(m_photos->path(), m_target->path());
        QTest::keyClicks(m_program->form()->txtCaption, QStringLiteral("one"));
        QTest::mouseClick(m_program->form()->Command4, Qt::LeftButton);
        QTest::keyClicks(m_program->form()->txtCaption, QStringLiteral("two"));
        QTest::mouseClick(m_program->form()->Command4, Qt::LeftButton);
        QTest::mouseClick(m_program->form()->Command1, Qt::LeftButton);
        QCOMPARE(m_program->platform().programEnds, 1);
        QCOMPARE(readFile(m_target->filePath(QStringLiteral("SlideShow.htm"))),
                 TestProgram::shippedHead() + slideEntry(1, "a.bmp", "one")
                     + slideEntry(2, "b.bmp", "two"));
    }

    void aKilledProgramLeavesEveryEntryWritten()
    {
        for (int i = 0; i < 5; ++i)
            writeImage(m_photos->filePath(QStringLiteral("p%1.bmp").arg(i)), QSize(20, 20));
        QProcess child;
        child.start(QStringLiteral(FOTOWEAVE_BATCH_CHILD), {m_photos->path(), QStringLiteral("3")});
        QVERIFY(child.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(child.canReadLine() || child.state() != QProcess::Running, 30000);
        QCOMPARE(child.readLine().trimmed(), QByteArray("ready"));
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        QByteArray expected = TestProgram::shippedHead();
        for (int i = 1; i <= 3; ++i)
            expected += slideEntry(i, "p" + QByteArray::number(i - 1) + ".bmp", "caption " + QByteArray::number(i));
        QCOMPARE(readFile(m_photos->filePath(QStringLiteral("SlideShow.htm"))), expected);
    }

private:
    static QString fixture(const char *name) { return QStringLiteral(FOTOWEAVE_TEST_DATA "/") + QLatin1String(name); }

    QRgb centre() const { return m_program->form()->PicBox->drawing().pixel(116, 116); }

    void openDialog()
    {
        m_program->form()->mnuOpen->trigger();
        QVERIFY(m_program->dialog()->isVisible());
    }

    void chooseFolder(const QString &folder, bool target = false)
    {
        m_program->platform().folderAnswers.enqueue(folder);
        QTest::mouseClick(target ? m_program->dialog()->btnTarget : m_program->dialog()->btnSource, Qt::LeftButton);
    }

    void startBatch(const QString &source, const QString &target)
    {
        openDialog();
        chooseFolder(source);
        chooseFolder(target, true);
        QTest::mouseClick(m_program->dialog()->Command1, Qt::LeftButton);
        QVERIFY(!m_program->dialog()->isVisible());
    }

    std::unique_ptr<TestProgram> m_program;
    std::unique_ptr<QTemporaryDir> m_photos;
    std::unique_ptr<QTemporaryDir> m_target;
    QStringList m_mounts;
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
