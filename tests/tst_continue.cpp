// SPDX-License-Identifier: MIT
// "Start" on a target that already holds a slide show: continue it, replace
// it or leave it alone; the templates and the target's lock come first; and a
// batch that is stopped still leaves a page that plays.
#include "testsupport.h"

#include "core/general.h"
#include "document/slideshowreader.h"
#include "document/slideshowtemplates.h"
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

QStringList listed(QListWidget *list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

const QStringList ContinueReplaceCancel{QStringLiteral("Continue"), QStringLiteral("Replace"), QStringLiteral("Cancel")};
const QStringList ReplaceCancel{QStringLiteral("Replace"), QStringLiteral("Cancel")};
}

class TestContinue : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_program = std::make_unique<TestProgram>(); }
    void cleanup() { m_program.reset(); }

    void continuingAShow_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("kept");
        QTest::addColumn<QStringList>("photos");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("continued");

        const QByteArray two = Head + entry(1, "a.jpg", "Red") + entry(2, "b.jpg", "It\\'s \\x3C3");
        QTest::newRow("finished") << two + pageEnd("a.jpg", "Tom &amp; Jerry") << two
                                  << QStringList{"a.jpg", "b.jpg", "c.jpg"} << "Tom & Jerry"
                                  << two + entry(3, "c.jpg", "new") + pageEnd("a.jpg", "Tom &amp; Jerry");
        QTest::newRow("unfinished after a kill") << two << two << QStringList{"a.jpg", "b.jpg", "c.jpg"}
                                                 << "My Slide Show"
                                                 << two + entry(3, "c.jpg", "new") + pageEnd("a.jpg", "My Slide Show");
        QTest::newRow("cut short while completing")
            << two + QByteArray("<midd") << two
            << QStringList{"a.jpg", "b.jpg", "c.jpg"} << "My Slide Show"
            << two + entry(3, "c.jpg", "new") + pageEnd("a.jpg", "My Slide Show");

        const QByteArray escaped = Head + entry(1, "Tom\\'s #1.jpg", "back\\\\slash \\'q\\' one\\r\\ntwo \\x3C/script> Gr\xc3\xbc\xc3\x9f" "e");
        QTest::newRow("escaped captions and names") << escaped << escaped << QStringList{"Tom's #1.jpg", "c.jpg"}
                                                    << "My Slide Show"
                                                    << escaped + entry(2, "c.jpg", "new") + pageEnd("Tom%27s%20%231.jpg", "My Slide Show");

        const QByteArray older = "<html><script>var Picture = [], Caption = [];\r\n" + entry(1, "a.jpg", "Old one");
        QTest::newRow("a head from other templates")
            << older + "</script><table><tr>\r\n\r\n<TD WIDTH='350' HEIGHT='280' COLSPAN='3'> <IMG SRC='a.jpg' NAME='PictureBox' "
                       "WIDTH='350' HEIGHT='280'> </TD> </TR><TR>\r\n<TD ID='CaptionBox' CLASS='Caption' ALIGN='center' "
                       "COLSPAN='3'> Old </TD></TR>\r\n\r\n\r\n</table></html>\r\n\r\n"
            << older << QStringList{"a.jpg", "c.jpg"} << "Old"
            << older + entry(2, "c.jpg", "new") + pageEnd("a.jpg", "Old");
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
            writeImage(m_program->source(photo), QSize(20, 20));
        writeFile(documentPath(), page);

        chooseFolders();
        m_program->platform().questionAnswers.enqueue(QStringLiteral("Continue"));
        QTest::mouseClick(m_program->dialog()->Command1, Qt::LeftButton);

        QCOMPARE(m_program->platform().questionChoices, QList<QStringList>{ContinueReplaceCancel});
        QCOMPARE(document(), kept); // rewritten without its closing part, nothing else
        QCOMPARE(listed(m_program->dialog()->List1), QStringList{QStringLiteral("c.jpg")});
        QCOMPARE(objMediator->GetSourceFile(), m_program->source(QStringLiteral("c.jpg")));
        QCOMPARE(m_program->form()->txtSlideShowName->text(), name);

        QTest::keyClicks(m_program->form()->txtCaption, QStringLiteral("new"));
        QTest::mouseClick(m_program->form()->Command4, Qt::LeftButton);
        QCOMPARE(m_program->platform().messages.size(), 1);
        QVERIFY(m_program->platform().messages[0].startsWith(QStringLiteral("Last image reached.\n1 of 1 added")));
        QCOMPARE(document(), continued);
        QCOMPARE(QDir(m_program->target()).entryList(QDir::Files | QDir::Hidden).size(), 2); // page and c.jpg only
    }

    void replacingOrLeavingAlone_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("answer"); // empty: the question is closed
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<QString>("reason");

        const QByteArray finished = Head + entry(1, "a.jpg", "A") + pageEnd("a.jpg", "Show");
        QTest::newRow("ours, replaced") << finished << "Replace" << ContinueReplaceCancel << "\"Show\" with 1 slide.";
        QTest::newRow("ours, cancelled") << finished << "Cancel" << ContinueReplaceCancel << "";
        QTest::newRow("ours, closed") << finished << "" << ContinueReplaceCancel << "";
        const QByteArray foreign = "<!DOCTYPE html><html><body>Holiday</body></html>\r\n";
        QTest::newRow("another page, replaced") << foreign << "Replace" << ReplaceCancel
                                                << "it does not begin with the page head this program writes";
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0Picture[1]", 20) << "Cancel" << ReplaceCancel
                                << "it does not begin with the page head";
        QTest::newRow("empty") << QByteArray("") << "Cancel" << ReplaceCancel << "it is empty";
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
        QFETCH(QString, reason);
        writeImage(m_program->source(QStringLiteral("a.jpg")), QSize(20, 20));
        writeFile(documentPath(), page);

        chooseFolders();
        if (!answer.isEmpty())
            m_program->platform().questionAnswers.enqueue(answer);
        QTest::mouseClick(m_program->dialog()->Command1, Qt::LeftButton);

        QCOMPARE(m_program->platform().questionChoices, QList<QStringList>{choices});
        const QString question = m_program->platform().questions.value(0);
        QVERIFY2(question.contains(reason) && question.contains(documentPath()), qPrintable(question));
        if (answer == QLatin1String("Replace")) {
            QCOMPARE(document(), Head);
            QVERIFY(!m_program->dialog()->isVisible());
            QCOMPARE(objMediator->GetSourceFile(), m_program->source(QStringLiteral("a.jpg")));
        } else {
            QCOMPARE(document(), page);
            QVERIFY(m_program->dialog()->isVisible());
            QVERIFY(!m_program->form()->Command4->isEnabled());
            QCOMPARE(QDir(m_program->target()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("SlideShow.htm")});
        }
        QVERIFY(m_program->platform().messages.isEmpty());
    }

    void templatesAreReadBeforeThePageIsTouched_data()
    {
        QTest::addColumn<QString>("missing");
        QTest::newRow("head") << "Head.txt";
        QTest::newRow("middle") << "Middle.txt";
        QTest::newRow("end") << "End.txt";
    }

    void templatesAreReadBeforeThePageIsTouched()
    {
        QFETCH(QString, missing);
        writeImage(m_program->source(QStringLiteral("a.jpg")), QSize(20, 20));
        const QByteArray page = Head + entry(1, "a.jpg", "A") + pageEnd("a.jpg", "Show");
        writeFile(documentPath(), page);
        m_program->setTemplate(qPrintable(missing), QByteArray());

        chooseFolders();
        QTest::mouseClick(m_program->dialog()->Command1, Qt::LeftButton);
        QCOMPARE(m_program->platform().messages.size(), 1);
        QVERIFY2(m_program->platform().messages[0].contains(missing), qPrintable(m_program->platform().messages[0]));
        QVERIFY(m_program->platform().questions.isEmpty());
        QCOMPARE(document(), page);
        QVERIFY(m_program->dialog()->isVisible());
        QVERIFY(!m_program->form()->Command4->isEnabled());
    }

    void anotherBatchHoldsTheTarget()
    {
        writeImage(m_program->source(QStringLiteral("a.jpg")), QSize(20, 20));
        QLockFile other(m_program->target(QStringLiteral(".SlideShow.htm.lock")));
        QVERIFY(other.tryLock(0));

        chooseFolders();
        QTest::mouseClick(m_program->dialog()->Command1, Qt::LeftButton);
        QCOMPARE(m_program->platform().messages.size(), 1);
        const QString message = m_program->platform().messages[0];
        QVERIFY2(message.contains(QStringLiteral("process %1 on ").arg(QCoreApplication::applicationPid()))
                     && message.contains(QDir::toNativeSeparators(m_program->target())), qPrintable(message));
        QVERIFY(!QFile::exists(documentPath()));
        QVERIFY(m_program->dialog()->isVisible());

        // Once it lets go the batch starts, and now holds the target itself.
        other.unlock();
        QTest::mouseClick(m_program->dialog()->Command1, Qt::LeftButton);
        QCOMPARE(document(), Head);
        QVERIFY(!other.tryLock(0));
        QTest::mouseClick(m_program->form()->Next, Qt::LeftButton); // the last image: the batch ends
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
        writeImage(m_program->source(QStringLiteral("a.jpg")), QSize(20, 20));
        writeImage(m_program->source(QStringLiteral("b.jpg")), QSize(20, 20));
        chooseFolders();
        QTest::mouseClick(m_program->dialog()->Command1, Qt::LeftButton);
        if (add) {
            QTest::keyClicks(m_program->form()->txtCaption, QStringLiteral("kept"));
            QTest::mouseClick(m_program->form()->Command4, Qt::LeftButton);
        }

        Form2 *form = m_program->form();
        if (way == QLatin1String("button"))
            QTest::mouseClick(form->Command1, Qt::LeftButton);
        else if (way == QLatin1String("menu"))
            form->mnuExit->trigger();
        else if (way == QLatin1String("window"))
            form->close();
        else
            form->mnuClose->trigger();

        QCOMPARE(m_program->platform().programEnds, ends);
        QVERIFY(m_program->platform().messages.isEmpty());
        QCOMPARE(document(), page);
        QLockFile probe(m_program->target(QStringLiteral(".SlideShow.htm.lock")));
        QVERIFY(probe.tryLock(0)); // the target is free again
        form->mnuExit->trigger(); // nothing more is written
        QCOMPARE(document(), page);
    }

    void theReaderGivesBackWhatWasTyped_data()
    {
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<QByteArray>("caption");
        QTest::addColumn<QString>("typedPicture");
        QTest::addColumn<QString>("typedCaption");
        QTest::newRow("quotes and backslashes") << QByteArray("Tom\\'s.jpg") << QByteArray("C:\\\\ \\'x\\'") << "Tom's.jpg" << "C:\\ 'x'";
        QTest::newRow("line breaks and markup") << QByteArray("a.jpg") << QByteArray("one\\r\\ntwo \\x3C/script>")
                                                << "a.jpg" << "one\r\ntwo </script>";
        QTest::newRow("UTF-8") << QByteArray("\xe5\x86\x99.jpg") << QByteArray("Gr\xc3\xbc\xc3\x9f" "e \\'\xf0\x9f\x8e\x89\\'")
                               << QString::fromUtf8("\xe5\x86\x99.jpg") << QString::fromUtf8("Gr\xc3\xbc\xc3\x9f" "e '\xf0\x9f\x8e\x89'");
        QTest::newRow("a raw quote from an older page") << QByteArray("a.jpg") << QByteArray("it's") << "a.jpg" << "it's";
    }

    void theReaderGivesBackWhatWasTyped()
    {
        QFETCH(QByteArray, picture);
        QFETCH(QByteArray, caption);
        QFETCH(QString, typedPicture);
        QFETCH(QString, typedCaption);
        SlideShowReader reader;
        QVERIFY2(reader.parse(Head + entry(1, picture, caption), SlideShowTemplates{Head.chopped(2), "<middle>", "<end>"}), qPrintable(reader.reason()));
        QCOMPARE(reader.slides().size(), 1);
        QCOMPARE(reader.slides()[0].picture, typedPicture);
        QCOMPARE(reader.slides()[0].caption, typedCaption);
    }

private:
    QString documentPath() const { return m_program->target(QStringLiteral("SlideShow.htm")); }
    QByteArray document() const { return readFile(documentPath()); }

    void chooseFolders()
    {
        m_program->chooseFolders(m_program->source(), m_program->target());
    }

    std::unique_ptr<TestProgram> m_program;
};

QTEST_MAIN(TestContinue)
#include "tst_continue.moc"
