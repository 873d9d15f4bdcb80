// SPDX-License-Identifier: MIT
// The slide show document byte for byte, the escaping of what the user typed,
// and the copies of the images.
#include "testsupport.h"

#include "core/general.h"
#include "document/decobj2.h"
#include "document/documenterror.h"
#include "document/slideshow.h"
#include "ui/form2.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QtTest>

class TestDocument : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestProgram> p;

    /** Copies the image (made up when missing) into the target and appends its entry with caption. */
    void add(const QString &name, const QString &caption)
    {
        const QString path = p->source(name);
        if (!QFile::exists(path))
            writeFile(path, "image bytes of " + name.toUtf8());
        p->form()->txtCaption->setText(caption);
        DecObj2 entry;
        entry.init(path);
        entry.Execute();
    }

private slots:
    void init()
    {
        p = std::make_unique<TestProgram>();
        objMediator->SetTgtFolder(p->target());
    }
    void cleanup() { p.reset(); }

    void byteForByte_data()
    {
        QTest::addColumn<QStringList>("entries"); // file name, caption, file name, caption, ...
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("page");     // what follows "<head>\r\n"
        QTest::newRow("text to escape")
            << QStringList{"Tom's #1 Straße.jpg", "It's </script> C:\\ one\r\ntwo 東京"} << "<Tom> & \"Jerry\""
            << QByteArray("\r\n\r\nPicture[1]  = 'Tom\\'s #1 Stra\xC3\x9F" "e.jpg'; \r\nCaption[1] = 'It\\'s \\x3C/script> "
                          "C:\\\\ one\\r\\ntwo \xE6\x9D\xB1\xE4\xBA\xAC' ;\r\n")
                   + pageEnd("Tom%27s%20%231%20Stra%C3%9Fe.jpg", "&lt;Tom&gt; &amp; \"Jerry\"");
        QTest::newRow("no entries, empty name") << QStringList() << "" << pageEnd("", "");
    }

    void byteForByte()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, name);
        QFETCH(QByteArray, page);
        // An earlier slide show at the same path must leave no trace in the new one.
        CreateSlideShow(*objMediator);
        add(QStringLiteral("earlier.jpg"), QStringLiteral("earlier"));
        CompleteSlideShow();
        objMediator->StartStateTwo();

        CreateSlideShow(*objMediator);
        for (qsizetype i = 0; i < entries.size(); i += 2)
            add(entries[i], entries[i + 1]);
        p->form()->txtSlideShowName->setText(name);
        CompleteSlideShow();
        QCOMPARE(p->page(), "<head>\r\n" + page);
        for (qsizetype i = 0; i < entries.size(); i += 2)
            QCOMPARE(readFile(p->target(entries[i])), readFile(p->source(entries[i])));
    }

    void aFailedCopyChangesNothing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << "gone.jpg";
        QTest::newRow("unreadable") << "/proc/self/mem"; // opens, but cannot be read from its start
    }

    void aFailedCopyChangesNothing()
    {
        QFETCH(QString, path);
        CreateSlideShow(*objMediator);
        add(QStringLiteral("a.jpg"), QStringLiteral("A"));
        const QByteArray before = p->page();
        DecObj2 entry;
        entry.init(path.startsWith(QLatin1Char('/')) ? path : p->source(path));
        QVERIFY_THROWS_EXCEPTION(DocumentError, entry.Execute());
        add(QStringLiteral("b.jpg"), QStringLiteral("B"));
        QCOMPARE(p->page(), before + "\r\n\r\nPicture[2]  = 'b.jpg'; \r\nCaption[2] = 'B' ;\r\n");
        QCOMPARE(QDir(p->target()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 QStringList({"SlideShow.htm", "a.jpg", "b.jpg"}));
    }

    void aCopyOntoItselfLeavesTheOriginalAlone()
    {
        objMediator->SetTgtFolder(p->source() + QStringLiteral("/."));
        CreateSlideShow(*objMediator);
        const QString original = p->source(QStringLiteral("self.jpg"));
        writeFile(original, "the only copy");
        const QDateTime old(QDate(2001, 2, 3), QTime(4, 5, 6));
        QFile file(original);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(old, QFileDevice::FileModificationTime));
        file.close();
        add(QStringLiteral("self.jpg"), QString());
        QCOMPARE(readFile(original), QByteArray("the only copy"));
        QCOMPARE(QFileInfo(original).lastModified(), old);
        QCOMPARE(QDir(p->source()).entryList(QDir::Files | QDir::Hidden, QDir::Name), QStringList({"SlideShow.htm", "self.jpg"}));
    }
};

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
