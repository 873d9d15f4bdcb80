// SPDX-License-Identifier: MIT
// The slide show document: its exact bytes, the escaping of what the user
// typed, the copies of the images, and what failures leave behind.
#include "testsupport.h"

#include "commands/cmd1.h"
#include "core/general.h"
#include "document/decobj2.h"
#include "document/documenterror.h"
#include "document/pagetext.h"
#include "document/slideshow.h"
#include "document/textstream.h"
#include "ui/form2.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
const QByteArray Head = "<head>\r\n<script>var Picture = []; var Caption = [];";
const QByteArray Middle = "\r\n</script><table><tr>";
const QByteArray End = "<tr><td>end</td></tr></table>";

QByteArray completion(const QByteArray &first, const QByteArray &name)
{
    return Middle + "\r\n\r\n"
        + "<TD WIDTH='350' HEIGHT='280' COLSPAN='3'> <IMG SRC='" + first
        + "' NAME='PictureBox' WIDTH='350' HEIGHT='280'> </TD> </TR><TR>\r\n"
        + "<TD ID='CaptionBox' CLASS='Caption' ALIGN='center' COLSPAN='3'> " + name + " </TD></TR>\r\n"
        + "\r\n\r\n" + End + "\r\n\r\n";
}

}

class TestDocument : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_program = std::make_unique<TestProgram>();
        m_program->setTemplate(QStringLiteral("Head.txt"), Head);
        m_program->setTemplate(QStringLiteral("Middle.txt"), Middle);
        m_program->setTemplate(QStringLiteral("End.txt"), End);
        m_source = std::make_unique<QTemporaryDir>();
        m_target = std::make_unique<QTemporaryDir>();
        QVERIFY2(m_source->isValid() && m_target->isValid(), "no temporary folders");
        objMediator->SetTgtFolder(m_target->path());
    }

    void cleanup()
    {
        m_program.reset();
        m_source.reset();
        m_target.reset();
    }

    void wholeDocumentByteForByte()
    {
        CreateSlideShow(*objMediator);
        add(QStringLiteral("beach.jpg"), QStringLiteral("At the beach"));
        add(QStringLiteral("hill.bmp"), QStringLiteral("Up the hill"));
        add(QStringLiteral("cat.gif"), QStringLiteral("Our cat"));
        m_program->form()->txtSlideShowName->setText(QStringLiteral("Summer 2026"));
        CompleteSlideShow();

        QCOMPARE(document(), Head + "\r\n" + slideEntry(1, "beach.jpg", "At the beach") + slideEntry(2, "hill.bmp", "Up the hill")
                     + slideEntry(3, "cat.gif", "Our cat") + completion("beach.jpg", "Summer 2026"));
        QVERIFY(!tsSlideShow->isOpen());
        for (const char *name : {"beach.jpg", "hill.bmp", "cat.gif"})
            QCOMPARE(readFile(m_target->filePath(QLatin1String(name))), readFile(m_source->filePath(QLatin1String(name))));
    }

    void headEndingInALineEndGetsOneEmptyLine()
    {
        m_program->setTemplate(QStringLiteral("Head.txt"), "<head>\r\n");
        CreateSlideShow(*objMediator);
        add(QStringLiteral("a.jpg"), QStringLiteral("A"));
        QCOMPARE(document(), QByteArray("<head>\r\n\r\n") + slideEntry(1, "a.jpg", "A"));
    }

    void numbersHaveNoPadding()
    {
        CreateSlideShow(*objMediator);
        for (int i = 1; i <= 10; ++i)
            add(QStringLiteral("p%1.jpg").arg(i), QString());
        QVERIFY(document().endsWith("\r\n\r\nPicture[10]  = 'p10.jpg'; \r\nCaption[10] = '' ;\r\n"));
        QCOMPARE(lngSlideCount, 10);
        QCOMPARE(strFirstPicture, QStringLiteral("p1.jpg"));
    }

    void emptyCaptionAndName()
    {
        CreateSlideShow(*objMediator);
        add(QStringLiteral("a.jpg"), QString());
        m_program->form()->txtSlideShowName->clear();
        CompleteSlideShow();
        QCOMPARE(document(), Head + "\r\n" + slideEntry(1, "a.jpg", "") + completion("a.jpg", ""));
        QVERIFY(document().contains("Caption[1] = '' ;"));
        QVERIFY(document().contains("COLSPAN='3'>  </TD></TR>"));
    }

    void aSlideShowWithoutEntriesNamesNoPicture()
    {
        CreateSlideShow(*objMediator);
        CompleteSlideShow();
        QCOMPARE(document(), Head + "\r\n" + completion("", "My Slide Show"));

        // Not even the first picture of an earlier slide show, which is not there.
        CreateSlideShow(*objMediator);
        add(QStringLiteral("earlier.jpg"), QStringLiteral("E"));
        CompleteSlideShow();
        objMediator->StartStateTwo();
        CreateSlideShow(*objMediator);
        CompleteSlideShow();
        QCOMPARE(document(), Head + "\r\n" + completion("", "My Slide Show"));
    }

    void typedTextIsEscapedForWhereItLands_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QByteArray>("markup");
        QTest::addColumn<QByteArray>("url");
        QTest::newRow("plain") << QStringLiteral("Sunset over the bay, 2026") << QByteArray("Sunset over the bay, 2026")
                               << QByteArray("Sunset over the bay, 2026")
                               << QByteArray("Sunset%20over%20the%20bay%2C%202026");
        QTest::newRow("quote") << QStringLiteral("Tom's \"boat\"") << QByteArray("Tom\\'s \"boat\"")
                               << QByteArray("Tom's \"boat\"") << QByteArray("Tom%27s%20%22boat%22");
        QTest::newRow("backslash") << QStringLiteral("C:\\photos\\") << QByteArray("C:\\\\photos\\\\")
                                   << QByteArray("C:\\photos\\") << QByteArray("C%3A%5Cphotos%5C");
        QTest::newRow("script end") << QStringLiteral("</script><b>x</b>")
                                    << QByteArray("\\x3C/script>\\x3Cb>x\\x3C/b>")
                                    << QByteArray("&lt;/script&gt;&lt;b&gt;x&lt;/b&gt;")
                                    << QByteArray("%3C%2Fscript%3E%3Cb%3Ex%3C%2Fb%3E");
        QTest::newRow("line ends") << QStringLiteral("one\r\ntwo\nthree") << QByteArray("one\\r\\ntwo\\nthree")
                                   << QByteArray("one\r\ntwo\nthree") << QByteArray("one%0D%0Atwo%0Athree");
        QTest::newRow("ampersand") << QStringLiteral("Tom & Jerry") << QByteArray("Tom & Jerry")
                                   << QByteArray("Tom &amp; Jerry") << QByteArray("Tom%20%26%20Jerry");
        QTest::newRow("non-ASCII") << QStringLiteral("Grüße aus 東京 🎉") << QStringLiteral("Grüße aus 東京 🎉").toUtf8()
                                   << QStringLiteral("Grüße aus 東京 🎉").toUtf8()
                                   << QByteArray("Gr%C3%BC%C3%9Fe%20aus%20%E6%9D%B1%E4%BA%AC%20%F0%9F%8E%89");
        QTest::newRow("url reserved") << QStringLiteral("a#1 50%.jpg") << QByteArray("a#1 50%.jpg")
                                      << QByteArray("a#1 50%.jpg") << QByteArray("a%231%2050%25.jpg");
        QTest::newRow("unreserved") << QStringLiteral("A-z_0.9~") << QByteArray("A-z_0.9~") << QByteArray("A-z_0.9~")
                                    << QByteArray("A-z_0.9~");
    }

    void typedTextIsEscapedForWhereItLands()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, script);
        QFETCH(QByteArray, markup);
        QFETCH(QByteArray, url);
        QCOMPARE(PageText::scriptString(text), script);
        QCOMPARE(PageText::markup(text), markup);
        QCOMPARE(PageText::url(text), url);
    }

    void escapedTextReachesTheDocument()
    {
        CreateSlideShow(*objMediator);
        add(QStringLiteral("Tom's #1.jpg"), QStringLiteral("It's </script>"));
        m_program->form()->txtSlideShowName->setText(QStringLiteral("<Summer> & more"));
        CompleteSlideShow();
        QCOMPARE(document(), Head + "\r\n" + slideEntry(1, "Tom\\'s #1.jpg", "It\\'s \\x3C/script>")
                     + completion("Tom%27s%20%231.jpg", "&lt;Summer&gt; &amp; more"));
        QVERIFY(QFile::exists(m_target->filePath(QStringLiteral("Tom's #1.jpg"))));
    }

    void recreatingAtTheSamePathStartsAFreshDocument()
    {
        CreateSlideShow(*objMediator);
        add(QStringLiteral("a.jpg"), QStringLiteral("first"));
        TextStream *old = tsSlideShow.get();
        CreateSlideShow(*objMediator);
        QVERIFY(tsSlideShow.get() != old);
        QCOMPARE(document(), Head + "\r\n");

        lngSlideCount = 0;
        add(QStringLiteral("b.jpg"), QStringLiteral("second"));
        CompleteSlideShow();
        QCOMPARE(document(), Head + "\r\n" + slideEntry(1, "b.jpg", "second") + completion("b.jpg", "My Slide Show"));
    }

    void everyOperationHasReachedTheFileWhenItReturns()
    {
        CreateSlideShow(*objMediator);
        QCOMPARE(document(), Head + "\r\n");
        add(QStringLiteral("a.jpg"), QStringLiteral("kept"));
        QVERIFY(tsSlideShow->isOpen());
        QCOMPARE(document(), Head + "\r\n" + slideEntry(1, "a.jpg", "kept"));
    }

    void creatingWithoutATargetFolderIsRefused()
    {
        objMediator->SetTgtFolder(QString());
        QVERIFY_THROWS_EXCEPTION(DocumentError, CreateSlideShow(*objMediator));
        QVERIFY(!QFile::exists(QStringLiteral("/SlideShow.htm")));
        QVERIFY(!tsSlideShow);
    }

    void aMissingHeadLeavesAnEmptyOpenDocument()
    {
        m_program->setTemplate(QStringLiteral("Head.txt"), QByteArray());
        try {
            CreateSlideShow(*objMediator);
            QFAIL("a missing head template must fail");
        } catch (const DocumentError &e) {
            QVERIFY2(QString::fromLocal8Bit(e.what()).contains(QStringLiteral("Head.txt")), e.what());
        }
        QVERIFY(QFile::exists(documentPath()));
        QCOMPARE(document(), QByteArray());
        QVERIFY(tsSlideShow && tsSlideShow->isOpen());
    }

    void aMissingMiddleLeavesTheDocumentOpenAndUnchanged()
    {
        CreateSlideShow(*objMediator);
        add(QStringLiteral("a.jpg"), QStringLiteral("A"));
        m_program->setTemplate(QStringLiteral("Middle.txt"), QByteArray());
        QVERIFY_THROWS_EXCEPTION(DocumentError, CompleteSlideShow());
        QVERIFY(tsSlideShow->isOpen());
        QCOMPARE(document(), Head + "\r\n" + slideEntry(1, "a.jpg", "A"));
    }

    void anImageThatCannotBeReadChangesNothing()
    {
        CreateSlideShow(*objMediator);
        add(QStringLiteral("a.jpg"), QStringLiteral("A"));
        const QByteArray before = document();

        DecObj2 missing;
        missing.init(m_source->filePath(QStringLiteral("gone.jpg")));
        try {
            missing.Execute();
            QFAIL("copying a missing image must fail");
        } catch (const DocumentError &e) {
            QVERIFY2(QString::fromLocal8Bit(e.what()).contains(QStringLiteral("gone.jpg")), e.what());
        }
        QCOMPARE(lngSlideCount, 1);
        QCOMPARE(strFirstPicture, QStringLiteral("a.jpg"));
        QCOMPARE(document(), before);
        QVERIFY(!QFile::exists(m_target->filePath(QStringLiteral("gone.jpg"))));
    }

    void aCopyOntoItselfLeavesTheOriginalAlone()
    {
        objMediator->SetTgtFolder(m_source->path());
        CreateSlideShow(*objMediator);
        const QString original = m_source->filePath(QStringLiteral("self.jpg"));
        writeImage(original, QSize(64, 48), Qt::darkGreen, "jpg");
        const QByteArray bytes = readFile(original);
        const QFileInfo before(original);

        DecObj2 entry;
        entry.init(original);
        entry.Execute();
        QCOMPARE(readFile(original), bytes);
        QCOMPARE(QFileInfo(original).lastModified(), before.lastModified());
        QCOMPARE(QDir(m_source->path()).entryList(QDir::Files).size(), 2); // the image and the page
        QCOMPARE(lngSlideCount, 1);

        // Reached through a second spelling of the same folder, too.
        objMediator->SetTgtFolder(m_source->path() + QStringLiteral("/."));
        entry.Execute();
        QCOMPARE(readFile(original), bytes);
    }

    void anExistingImageInTheTargetIsReplaced()
    {
        CreateSlideShow(*objMediator);
        writeFile(m_target->filePath(QStringLiteral("a.jpg")), "old picture");
        add(QStringLiteral("a.jpg"), QStringLiteral("new"));
        QCOMPARE(readFile(m_target->filePath(QStringLiteral("a.jpg"))), readFile(m_source->filePath(QStringLiteral("a.jpg"))));
        QCOMPARE(QDir(m_target->path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void aFailedCopyLeavesNoHalfWrittenImage()
    {
        // /proc/self/mem opens but cannot be read from its start.
        CreateSlideShow(*objMediator);
        writeFile(m_target->filePath(QStringLiteral("mem")), "precious");
        DecObj2 entry;
        entry.init(QStringLiteral("/proc/self/mem"));
        QVERIFY_THROWS_EXCEPTION(DocumentError, entry.Execute());
        QCOMPARE(readFile(m_target->filePath(QStringLiteral("mem"))), QByteArray("precious"));
        QCOMPARE(QDir(m_target->path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
        QCOMPARE(lngSlideCount, 0);
        QCOMPARE(document(), Head + "\r\n");
    }

    void addingTwiceGivesTwoEntriesAndOneCopy()
    {
        CreateSlideShow(*objMediator);
        add(QStringLiteral("a.jpg"), QStringLiteral("one"));
        add(QStringLiteral("a.jpg"), QStringLiteral("two"));
        QCOMPARE(document(), Head + "\r\n" + slideEntry(1, "a.jpg", "one") + slideEntry(2, "a.jpg", "two"));
        QCOMPARE(QDir(m_target->path()).entryList(QDir::Files).size(), 2);
    }

    void addButtonReportsAFailureAndKeepsTheImage()
    {
        CreateSlideShow(*objMediator);
        objMediator->StartStateTwo();
        objMediator->SetSourceFile(m_source->filePath(QStringLiteral("vanished.jpg")));
        QTest::mouseClick(m_program->form()->Command4, Qt::LeftButton);

        const QStringList &messages = m_program->platform().messages;
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(QStringLiteral("vanished.jpg")), qPrintable(messages[0]));
        QCOMPARE(m_program->platform().programEnds, 0);
        QVERIFY(!m_program->form()->cmdNext); // did not move on
        QVERIFY(m_program->form()->Command4->isEnabled());
        QCOMPARE(lngSlideCount, 0);
        QCOMPARE(document(), Head + "\r\n");
    }

    void makingACmd1CreatesTheDocument()
    {
        writeFile(documentPath(), "an old slide show");
        auto command = std::make_shared<cmd1>();
        command->init(objMediator.get());
        QCOMPARE(document(), Head + "\r\n");
        QCOMPARE(objMediator->registeredCmd1().get(), static_cast<Command *>(command.get()));

        // A failed creation registers nothing.
        m_program->setTemplate(QStringLiteral("Head.txt"), QByteArray());
        auto failing = std::make_shared<cmd1>();
        QVERIFY_THROWS_EXCEPTION(DocumentError, failing->init(objMediator.get()));
        QCOMPARE(objMediator->registeredCmd1().get(), static_cast<Command *>(command.get()));
    }

private:
    void add(const QString &name, const QString &caption)
    {
        const QString path = m_source->filePath(name);
        if (!QFile::exists(path))
            writeFile(path, QStringLiteral("image bytes of %1").arg(name).toUtf8());
        m_program->form()->txtCaption->setText(caption);
        DecObj2 entry;
        entry.init(path);
        entry.Execute();
    }

    QString documentPath() const { return m_target->filePath(QStringLiteral("SlideShow.htm")); }
    QByteArray document() const { return readFile(documentPath()); }

    std::unique_ptr<TestProgram> m_program;
    std::unique_ptr<QTemporaryDir> m_source;
    std::unique_ptr<QTemporaryDir> m_target;
};

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
