// SPDX-License-Identifier: MIT
// "Start" on a target that already holds a slide show: continue it, replace
// it or leave it alone; the templates and the target's lock come first; and a
// batch that is stopped still leaves a page that plays.
#include "testsupport.h"

#include "ui/form1.h"
#include "ui/form2.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QPushButton>
#include <QtTest>

namespace {
const QByteArray Head = "<head>\r\n";

QByteArray entry(int n, const QByteArray &file, const QByteArray &caption)
{
    return "\r\n\r\nPicture[" + QByteArray::number(n) + "]  = '" + file + "'; \r\nCaption[" + QByteArray::number(n)
        + "] = '" + caption + "' ;\r\n";
}

const QStringList ContinueReplaceCancel{QStringLiteral("Continue"), QStringLiteral("Replace"), QStringLiteral("Cancel")};
const QStringList ReplaceCancel{QStringLiteral("Replace"), QStringLiteral("Cancel")};
}

class TestContinue : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestProgram> p;

    QString pagePath() const { return p->target(QStringLiteral("SlideShow.htm")); }
    bool targetHoldsOnly(const QStringList &files) const
    {
        return QDir(p->target()).entryList(QDir::Files | QDir::Hidden) == files;
    }

private slots:
    void init() { p = std::make_unique<TestProgram>(); }
    void cleanup() { p.reset(); }

    // The source holds the show's photos and c.jpg; only c.jpg is new.
    void continuingAShow_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("kept");
        QTest::addColumn<QStringList>("photos");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("continued");

        const QByteArray two = Head + entry(1, "a.jpg", "Red") + entry(2, "b.jpg", "It\\'s \\x3C3");
        const QStringList abc{"a.jpg", "b.jpg", "c.jpg"};
        QTest::newRow("finished") << two + pageEnd("a.jpg", "Tom &amp; Jerry") << two << abc << "Tom & Jerry"
                                  << two + entry(3, "c.jpg", "new") + pageEnd("a.jpg", "Tom &amp; Jerry");
        QTest::newRow("unfinished after a kill") << two << two << abc << "My Slide Show"
                                                 << two + entry(3, "c.jpg", "new") + pageEnd("a.jpg", "My Slide Show");
        QTest::newRow("cut short while completing") << two + "<midd" << two << abc << "My Slide Show"
                                                    << two + entry(3, "c.jpg", "new") + pageEnd("a.jpg", "My Slide Show");
        const QByteArray escaped = Head + entry(1, "Tom\\'s #1.jpg", "back\\\\slash \\'q\\' 1\\r\\n2 \\x3C/script> \xc3\xbc");
        QTest::newRow("escaped captions and names")
            << escaped << escaped << QStringList{"Tom's #1.jpg", "c.jpg"} << "My Slide Show"
            << escaped + entry(2, "c.jpg", "new") + pageEnd("Tom%27s%20%231.jpg", "My Slide Show");
        const QByteArray older = "<html><script>var Picture = [], Caption = [];\r\n" + entry(1, "a.jpg", "Old one");
        QTest::newRow("a head from other templates")
            << older + "</script><table><tr>\r\n\r\n<TD WIDTH='350' HEIGHT='280' COLSPAN='3'> <IMG SRC='a.jpg' NAME='PictureBox' "
                       "WIDTH='350' HEIGHT='280'> </TD> </TR><TR>\r\n<TD ID='CaptionBox' CLASS='Caption' ALIGN='center' "
                       "COLSPAN='3'> Old </TD></TR>\r\n\r\n\r\n</table></html>\r\n\r\n"
            << older << QStringList{"a.jpg", "c.jpg"} << "Old" << older + entry(2, "c.jpg", "new") + pageEnd("a.jpg", "Old");
        const QByteArray web = Head + entry(1, "a.jpg", "Red") + "Thumbnail[1] = 'SlideShow-thumbnails/a.jpg';\r\n";
        QTest::newRow("web-sized, with thumbnails") << web + pageEnd("a.jpg", "Web") << web << QStringList{"a.jpg", "c.jpg"}
                                                    << "Web" << web + entry(2, "c.jpg", "new") + pageEnd("a.jpg", "Web");
        QTest::newRow("no slides yet") << Head + pageEnd("", "Empty") << Head << QStringList{"c.jpg"} << "Empty"
                                       << Head + entry(1, "c.jpg", "new") + pageEnd("c.jpg", "Empty");
    }

    void continuingAShow()
    {
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, kept);
        QFETCH(QStringList, photos);
        QFETCH(QString, name);
        QFETCH(QByteArray, continued);
        for (const QString &photo : photos)
            writeImage(p->source(photo));
        writeFile(pagePath(), page);

        p->chooseFolders(p->source(), p->target());
        p->platform().questionAnswers.enqueue(QStringLiteral("Continue"));
        p->start();
        QCOMPARE(p->platform().questionChoices, QList<QStringList>{ContinueReplaceCancel});
        QCOMPARE(p->page(), kept); // rewritten without its closing part, nothing else
        QCOMPARE(p->dialog()->List1->count(), 1);
        QCOMPARE(p->shown(), QStringLiteral("c.jpg"));
        QCOMPARE(p->form()->txtSlideShowName->text(), name);

        p->add(QStringLiteral("new"));
        QCOMPARE(p->messages().size(), 1);
        QVERIFY(p->messages()[0].startsWith(QStringLiteral("Last image reached.\n1 of 1 added")));
        QCOMPARE(p->page(), continued);
        QVERIFY(targetHoldsOnly({QStringLiteral("c.jpg"), QStringLiteral("SlideShow.htm")}));
    }

    void replacingOrLeavingAlone_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("answer"); // empty: the question is closed
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<QString>("told");

        const QByteArray finished = Head + entry(1, "a.jpg", "A") + pageEnd("a.jpg", "Show");
        QTest::newRow("ours, replaced") << finished << "Replace" << ContinueReplaceCancel << "\"Show\" with 1 slide.";
        QTest::newRow("ours, cancelled") << finished << "Cancel" << ContinueReplaceCancel << "";
        QTest::newRow("ours, closed") << finished << "" << ContinueReplaceCancel << "";
        QTest::newRow("another page, replaced") << QByteArray("<!DOCTYPE html><html><body>Hi</body></html>\r\n") << "Replace"
                                                << ReplaceCancel << "it does not begin with the page head this program writes";
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0Picture[1]", 20) << "Cancel" << ReplaceCancel
                                << "it does not begin with the page head";
        QTest::newRow("empty") << QByteArray("") << "" << ReplaceCancel << "it is empty";
        QTest::newRow("a slide missing") << Head + entry(1, "a.jpg", "A") + entry(3, "b.jpg", "B") << "Cancel"
                                         << ReplaceCancel << "slide 2 is not written the way this program writes slides";
        QTest::newRow("line ends changed") << Head + "\n\nPicture[1]  = 'a.jpg'; \nCaption[1] = 'A' ;\n" << "Cancel"
                                           << ReplaceCancel << "after its head it holds text that this program does not write";
        QTest::newRow("a caption line broken") << Head + "\r\n\r\nPicture[1]  = 'a.jpg'; \r\nCaption[1] = 'A\r\n" << "Cancel"
                                               << ReplaceCancel << "slide 1 is not written";
    }

    void replacingOrLeavingAlone()
    {
        QFETCH(QByteArray, page);
        QFETCH(QString, answer);
        QFETCH(QStringList, choices);
        QFETCH(QString, told);
        writeImage(p->source(QStringLiteral("a.jpg")));
        writeFile(pagePath(), page);

        p->chooseFolders(p->source(), p->target());
        if (!answer.isEmpty())
            p->platform().questionAnswers.enqueue(answer);
        p->start();
        QCOMPARE(p->platform().questionChoices, QList<QStringList>{choices});
        const QString question = p->platform().questions.value(0);
        QVERIFY2(question.contains(told) && question.contains(pagePath()), qPrintable(question));
        QVERIFY(p->messages().isEmpty());
        if (answer == QLatin1String("Replace")) {
            QCOMPARE(p->page(), Head);
            QCOMPARE(p->shown(), QStringLiteral("a.jpg"));
        } else {
            QCOMPARE(p->page(), page);
            QVERIFY(p->dialog()->isVisible() && !p->form()->Command4->isEnabled());
            QVERIFY(targetHoldsOnly({QStringLiteral("SlideShow.htm")})); // no lock or temporary file left
        }
    }

    void templatesAreReadBeforeThePageIsTouched_data()
    {
        QTest::addColumn<QByteArray>("missing");
        QTest::newRow("head") << QByteArray("Head.txt");
        QTest::newRow("middle") << QByteArray("Middle.txt");
        QTest::newRow("end") << QByteArray("End.txt");
    }

    void templatesAreReadBeforeThePageIsTouched()
    {
        QFETCH(QByteArray, missing);
        writeImage(p->source(QStringLiteral("a.jpg")));
        const QByteArray page = Head + entry(1, "a.jpg", "A") + pageEnd("a.jpg", "Show");
        writeFile(pagePath(), page);
        p->setTemplate(missing.constData(), QByteArray());

        p->startBatch();
        QCOMPARE(p->messages().size(), 1);
        QVERIFY2(p->messages()[0].contains(QLatin1String(missing)), qPrintable(p->messages()[0]));
        QVERIFY(p->platform().questions.isEmpty());
        QCOMPARE(p->page(), page);
        QVERIFY(p->dialog()->isVisible() && !p->form()->Command4->isEnabled());
    }

    void anotherBatchHoldsTheTarget()
    {
        writeImage(p->source(QStringLiteral("a.jpg")));
        QLockFile other(p->target(QStringLiteral(".SlideShow.htm.lock")));
        QVERIFY(other.tryLock(0));

        p->startBatch();
        QCOMPARE(p->messages().size(), 1);
        QVERIFY2(p->messages()[0].contains(QStringLiteral("process %1 on ").arg(QCoreApplication::applicationPid()))
                     && p->messages()[0].contains(p->target()), qPrintable(p->messages()[0]));
        QVERIFY(!QFile::exists(pagePath()));

        // Once it lets go the batch starts, and holds the target until it ends.
        other.unlock();
        p->start();
        QCOMPARE(p->page(), Head);
        QVERIFY(!other.tryLock(0));
        p->skip(); // the last image
        QVERIFY(other.tryLock(0));
    }

    void stoppingCompletesThePage_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("add");
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<int>("ends");

        const QByteArray one = Head + entry(1, "a.jpg", "kept") + pageEnd("a.jpg", "My Slide Show");
        const QByteArray none = Head + pageEnd("", "My Slide Show");
        QTest::newRow("Exit button") << "button" << true << one << 1;
        QTest::newRow("File > Exit") << "menu" << true << one << 1;
        QTest::newRow("closing the window") << "window" << true << one << 1;
        QTest::newRow("File > Close") << "close" << true << one << 0;
        QTest::newRow("Exit button, no slide") << "button" << false << none << 1;
        QTest::newRow("File > Close, no slide") << "close" << false << none << 0;
    }

    void stoppingCompletesThePage()
    {
        QFETCH(QString, way);
        QFETCH(bool, add);
        QFETCH(QByteArray, page);
        QFETCH(int, ends);
        writeImage(p->source(QStringLiteral("a.jpg")));
        writeImage(p->source(QStringLiteral("b.jpg")));
        p->startBatch();
        if (add)
            p->add(QStringLiteral("kept"));

        Form2 *form = p->form();
        if (way == QLatin1String("button"))
            QTest::mouseClick(form->Command1, Qt::LeftButton);
        else if (way == QLatin1String("menu"))
            form->mnuExit->trigger();
        else if (way == QLatin1String("window"))
            form->close();
        else
            form->mnuClose->trigger();

        QCOMPARE(p->platform().programEnds, ends);
        QVERIFY(p->messages().isEmpty());
        QCOMPARE(p->page(), page);
        QVERIFY(QLockFile(p->target(QStringLiteral(".SlideShow.htm.lock"))).tryLock(0)); // the target is free again
        form->mnuExit->trigger(); // nothing more is written
        QCOMPARE(p->page(), page);
    }
};

QTEST_MAIN(TestContinue)
#include "tst_continue.moc"
