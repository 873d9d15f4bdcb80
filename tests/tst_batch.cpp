// SPDX-License-Identifier: MIT
// Whole batches driven through the real widgets: choosing folders in the batch
// dialog, starting, captioning, adding and skipping, and the finished page.
#include "testsupport.h"

#include "core/general.h"
#include "document/pagetext.h"
#include "document/slideshow.h"
#include "document/textstream.h"
#include "imaging/parseobject.h"
#include "imaging/prefetcher.h"
#include "modes/state2.h"
#include "modes/statemanager.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/picturebox.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {
QByteArray completion(const QString &first, const QString &name)
{
    return TestProgram::shippedTemplate(QStringLiteral("Middle.txt")) + "\r\n\r\n" + PageText::pictureRow(first)
        + "\r\n" + PageText::captionRow(name) + "\r\n\r\n\r\n" + TestProgram::shippedTemplate(QStringLiteral("End.txt"))
        + "\r\n\r\n";
}

QStringList listed(QListWidget *list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}
}

class TestBatch : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_program = std::make_unique<TestProgram>(true);
        m_photos = std::make_unique<QTemporaryDir>();
        m_other = std::make_unique<QTemporaryDir>();
        QVERIFY2(m_photos->isValid() && m_other->isValid(), "no temporary folders");
    }

    void cleanup()
    {
        m_program.reset();
        m_photos.reset();
        m_other.reset();
    }

    void theListShowsAcceptedImagesOnly()
    {
        writeImage(photo("a.jpg"), QSize(40, 30));
        writeFile(photo("b.txt"), "notes");
        writeImage(photo("c.GIF"), QSize(40, 30));
        writeFile(photo("jpg"), "no extension at all");
        writeImage(photo("d.jpeg"), QSize(40, 30));
        QDir(m_photos->path()).mkdir(QStringLiteral("sub.jpg"));
        writeImage(photo("sub.jpg/inner.jpg"), QSize(40, 30));

        openDialog();
        chooseSource(m_photos->path());
        Form1 *dialog = m_program->dialog();
        QCOMPARE(listed(dialog->List1), QStringList({QStringLiteral("a.jpg"), QStringLiteral("c.GIF")}));
        QCOMPARE(dialog->txtSrcFolder->text(), m_photos->path());
        QCOMPARE(dialog->txtTgtFolder->text(), m_photos->path());
        QCOMPARE(objMediator->GetSourceFolder(), m_photos->path());
        QCOMPARE(objMediator->GetTgtFolder(), m_photos->path());
        QCOMPARE(m_program->platform().folderPrompts, QStringList{QStringLiteral("Select a Source Folder")});

        // A second choice clears the list before filling it again.
        writeImage(m_other->filePath(QStringLiteral("z.bmp")), QSize(10, 10));
        chooseSource(m_other->path());
        QCOMPARE(listed(dialog->List1), QStringList{QStringLiteral("z.bmp")});
    }

    void aWholeBatchFromStartToPage()
    {
        writeImage(photo("a.jpg"), QSize(80, 60), Qt::red);
        writeImage(photo("b.bmp"), QSize(60, 80), Qt::green);
        writeImage(photo("c.gif"), QSize(50, 50), Qt::blue);
        Form2 *form = m_program->form();
        form->txtSlideShowName->setText(QStringLiteral("Our trip"));

        openDialog();
        chooseSource(m_photos->path());
        QTest::mouseClick(m_program->dialog()->Command1, Qt::LeftButton);

        QVERIFY(!m_program->dialog()->isVisible());
        QCOMPARE(objMediator->GetSourceFile(), photo("a.jpg"));
        QVERIFY(form->txtCaption->text().isEmpty());
        QCOMPARE(document(), TestProgram::shippedHead());
        QVERIFY(form->Next->isVisible() && form->Next->isEnabled() && form->Command4->isEnabled());
        QVERIFY(!form->btnView->isVisible());

        QCOMPARE(form->focusWidget(), form->txtCaption); // ready to type
        QTest::keyClicks(form->txtCaption, QStringLiteral("Red, it's mine"));
        QTest::keyClick(form->txtCaption, Qt::Key_Return); // the same as "Add to SlideShow"
        QCOMPARE(objMediator->GetSourceFile(), photo("b.bmp"));
        QVERIFY(form->txtCaption->text().isEmpty());
        QTest::keyClicks(form->txtCaption, QStringLiteral("typed, then skipped"));
        QTest::mouseClick(form->Next, Qt::LeftButton);
        QCOMPARE(objMediator->GetSourceFile(), photo("c.gif"));

        // The last entry is written before the message; the page is complete after it.
        QByteArray atMessage;
        m_program->platform().onMessage = [&](const QString &) { atMessage = document(); };
        QTest::keyClicks(form->txtCaption, QStringLiteral("Blue </script>"));
        QTest::mouseClick(form->Command4, Qt::LeftButton);

        const QByteArray entries = slideEntry(1, "a.jpg", "Red, it\\'s mine") + slideEntry(2, "c.gif", "Blue \\x3C/script>");
        QCOMPARE(m_program->platform().messages, QStringList{QStringLiteral("Last image reached.\n2 of 3 added to ") + photo("SlideShow.htm")});
        QCOMPARE(atMessage, TestProgram::shippedHead() + entries);
        QCOMPARE(document(), TestProgram::shippedHead() + entries + completion(QStringLiteral("a.jpg"), QStringLiteral("Our trip")));
        QVERIFY(form->Next->isVisible() && !form->Next->isEnabled());
        QVERIFY(!form->Command4->isEnabled());
        QVERIFY(form->btnView->isVisible() && form->btnView->isEnabled());

        // The target is the photos' own folder: the originals are untouched.
        QCOMPARE(QDir(m_photos->path()).entryList(QDir::Files).size(), 4);

        QTest::mouseClick(form->btnView, Qt::LeftButton);
        QCOMPARE(m_program->platform().openedDocuments, QStringList{photo("SlideShow.htm")});
    }

    void aSecondBatchStartsAgainAtOne()
    {
        writeImage(photo("a.jpg"), QSize(20, 20));
        writeImage(photo("b.jpg"), QSize(20, 20));
        openDialog();
        chooseSource(m_photos->path());
        start();
        QTest::mouseClick(m_program->form()->Command4, Qt::LeftButton);
        QTest::mouseClick(m_program->form()->Command4, Qt::LeftButton);
        const QByteArray first = document();
        QVERIFY(first.contains(slideEntry(2, "b.jpg", "")));

        openDialog();
        QCOMPARE(listed(m_program->dialog()->List1).size(), 2); // kept from last time
        m_program->platform().folderAnswers.enqueue(m_other->path());
        QTest::mouseClick(m_program->dialog()->btnTarget, Qt::LeftButton);
        QCOMPARE(m_program->dialog()->txtSrcFolder->text(), m_photos->path());
        QCOMPARE(m_program->dialog()->txtTgtFolder->text(), m_other->path());
        start();
        QTest::mouseClick(m_program->form()->Next, Qt::LeftButton);
        QTest::mouseClick(m_program->form()->Command4, Qt::LeftButton);

        QCOMPARE(readFile(m_other->filePath(QStringLiteral("SlideShow.htm"))),
                 TestProgram::shippedHead() + slideEntry(1, "b.jpg", "") + completion(QStringLiteral("b.jpg"), QStringLiteral("My Slide Show")));
        QCOMPARE(document(), first);
        QCOMPARE(readFile(m_other->filePath(QStringLiteral("b.jpg"))), readFile(photo("b.jpg")));
        QVERIFY(!QFile::exists(m_other->filePath(QStringLiteral("a.jpg"))));

        // "View SlideShow" opens the page in the target folder held now.
        m_program->platform().folderAnswers.enqueue(m_photos->path());
        QTest::mouseClick(m_program->dialog()->btnTarget, Qt::LeftButton);
        QTest::mouseClick(m_program->form()->btnView, Qt::LeftButton);
        QCOMPARE(m_program->platform().openedDocuments, QStringList{photo("SlideShow.htm")});
    }

    void aMissingSourceFolder()
    {
        writeImage(photo("a.jpg"), QSize(20, 20));
        openDialog();
        chooseSource(m_photos->path());
        m_program->platform().folderAnswers.enqueue(m_other->path());
        QTest::mouseClick(m_program->dialog()->btnTarget, Qt::LeftButton);
        QVERIFY(m_photos->remove());
        start();

        QCOMPARE(m_program->platform().messages, QStringList{QStringLiteral("Source Folder does not exist!")});
        QCOMPARE(otherDocument(), TestProgram::shippedHead());
        QVERIFY(m_program->form()->Next->isEnabled());
        QVERIFY(m_program->form()->PicBox->picture().isNull());

        QTest::mouseClick(m_program->form()->Next, Qt::LeftButton);
        QCOMPARE(m_program->platform().messages,
                 QStringList({QStringLiteral("Source Folder does not exist!"), QStringLiteral("Last image reached.\n0 of 0 added to ") + m_other->filePath(QStringLiteral("SlideShow.htm"))}));
        QCOMPARE(otherDocument(), TestProgram::shippedHead() + completion(QString(), QStringLiteral("My Slide Show")));
        QVERIFY(m_program->form()->btnView->isVisible());
    }

    void closingMidBatchThenStartingAgainInTheSameFolder()
    {
        writeImage(photo("a.jpg"), QSize(20, 20));
        writeImage(photo("b.jpg"), QSize(20, 20));
        openDialog();
        chooseSource(m_photos->path());
        start();
        QTest::keyClicks(m_program->form()->txtCaption, QStringLiteral("first try"));
        QTest::mouseClick(m_program->form()->Command4, Qt::LeftButton);
        QCOMPARE(document(), TestProgram::shippedHead() + slideEntry(1, "a.jpg", "first try"));

        m_program->form()->mnuClose->trigger();
        QVERIFY(!m_program->form()->Next->isVisible());
        QVERIFY(!m_program->form()->Command4->isEnabled());
        QVERIFY(!m_program->form()->btnView->isVisible());
        QCOMPARE(document(), TestProgram::shippedHead() + slideEntry(1, "a.jpg", "first try")); // left as written

        openDialog();
        start();
        QCOMPARE(document(), TestProgram::shippedHead());
        QTest::mouseClick(m_program->form()->Next, Qt::LeftButton);
        QTest::keyClicks(m_program->form()->txtCaption, QStringLiteral("second try"));
        QTest::mouseClick(m_program->form()->Command4, Qt::LeftButton);
        QCOMPARE(document(), TestProgram::shippedHead() + slideEntry(1, "b.jpg", "second try")
                     + completion(QStringLiteral("b.jpg"), QStringLiteral("My Slide Show")));
    }

    void cancellingTheFolderDialogs()
    {
        writeImage(photo("a.jpg"), QSize(20, 20));
        openDialog();
        chooseSource(m_photos->path());
        Form1 *dialog = m_program->dialog();
        m_program->form()->PicBox->setPicture(QImage(QSize(10, 10), QImage::Format_RGB32));

        chooseSource(QString()); // cancelled
        QCOMPARE(listed(dialog->List1), QStringList{QStringLiteral("a.jpg")});
        QCOMPARE(dialog->txtSrcFolder->text(), m_photos->path());
        QCOMPARE(objMediator->GetSourceFolder(), m_photos->path());
        QCOMPARE(objMediator->GetTgtFolder(), m_photos->path());
        QVERIFY(m_program->form()->PicBox->picture().isNull()); // the preview is emptied all the same

        QTest::mouseClick(dialog->btnTarget, Qt::LeftButton); // cancelled
        QCOMPARE(dialog->txtTgtFolder->text(), QString());
        QCOMPARE(objMediator->GetTgtFolder(), QString());
        QCOMPARE(m_program->platform().folderPrompts.last(), QStringLiteral("Select a Target Folder"));
    }

    void startingWithoutATargetKeepsTheDialogOpen()
    {
        writeImage(photo("a.jpg"), QSize(20, 20));
        openDialog();
        chooseSource(m_photos->path());
        QTest::mouseClick(m_program->dialog()->btnTarget, Qt::LeftButton); // cancelled: no target
        QTest::mouseClick(m_program->dialog()->Command1, Qt::LeftButton);

        QCOMPARE(m_program->platform().messages.size(), 1);
        QVERIFY2(m_program->platform().messages[0].contains(QStringLiteral("target folder")),
                 qPrintable(m_program->platform().messages[0]));
        QCOMPARE(m_program->platform().programEnds, 0);
        QVERIFY(m_program->dialog()->isVisible());
        QVERIFY(!m_program->form()->Next->isVisible());
        QVERIFY(!m_program->form()->Command4->isEnabled());
        QVERIFY(!QFile::exists(QStringLiteral("/SlideShow.htm")));
        QCOMPARE(objMediator->GetSourceFile(), QString()); // nothing was shown

        // Choosing a target then starts normally.
        m_program->platform().folderAnswers.enqueue(m_other->path());
        QTest::mouseClick(m_program->dialog()->btnTarget, Qt::LeftButton);
        start();
        QCOMPARE(objMediator->GetSourceFile(), photo("a.jpg"));
    }

    void typedFoldersAreIgnored()
    {
        writeImage(photo("a.jpg"), QSize(20, 20));
        openDialog();
        chooseSource(m_photos->path());
        Form1 *dialog = m_program->dialog();
        dialog->txtSrcFolder->clear();
        QTest::keyClicks(dialog->txtSrcFolder, m_other->path());
        dialog->txtTgtFolder->clear();
        QTest::keyClicks(dialog->txtTgtFolder, m_other->path());
        start();
        QCOMPARE(objMediator->GetSourceFile(), photo("a.jpg"));
        QVERIFY(QFile::exists(photo("SlideShow.htm")));
        QVERIFY(!QFile::exists(m_other->filePath(QStringLiteral("SlideShow.htm"))));
    }

    void theDialogHidesOnlyAfterTheFirstStep()
    {
        openDialog();
        chooseSource(m_photos->path()); // no images at all
        bool visibleAtMessage = false;
        m_program->platform().onMessage = [&](const QString &) { visibleAtMessage = m_program->dialog()->isVisible(); };
        QTest::mouseClick(m_program->dialog()->Command1, Qt::LeftButton);
        QCOMPARE(m_program->platform().messages, QStringList{QStringLiteral("Last image reached.\n0 of 0 added to ") + photo("SlideShow.htm")});
        QVERIFY(visibleAtMessage);
        QVERIFY(!m_program->dialog()->isVisible());
        QCOMPARE(document(), TestProgram::shippedHead() + completion(QString(), QStringLiteral("My Slide Show")));
    }

    void cancelAndReopenKeepsTheChoices()
    {
        writeImage(photo("a.jpg"), QSize(20, 20));
        openDialog();
        chooseSource(m_photos->path());
        QTest::mouseClick(m_program->dialog()->Command2, Qt::LeftButton);
        QVERIFY(!m_program->dialog()->isVisible());
        openDialog();
        QCOMPARE(m_program->dialog()->txtSrcFolder->text(), m_photos->path());
        QCOMPARE(listed(m_program->dialog()->List1), QStringList{QStringLiteral("a.jpg")});
        QVERIFY(m_program->dialog()->isModal());
        QCOMPARE(m_program->dialog()->windowTitle(), QStringLiteral("Images"));
    }

    void naturalOrderInTheListAndTheBatch()
    {
        for (const char *name : {"img10.jpg", "img2.jpg", "IMG3.jpg", "img1.jpg", "img02b.jpg"})
            writeImage(photo(name), QSize(20, 20));
        openDialog();
        chooseSource(m_photos->path());
        const QStringList order{QStringLiteral("img1.jpg"), QStringLiteral("img2.jpg"), QStringLiteral("img02b.jpg"),
                                QStringLiteral("IMG3.jpg"), QStringLiteral("img10.jpg")};
        QCOMPARE(listed(m_program->dialog()->List1), order);

        start();
        QStringList shown;
        for (int i = 0; i < order.size(); ++i) {
            shown << QFileInfo(objMediator->GetSourceFile()).fileName();
            QTest::mouseClick(m_program->form()->Next, Qt::LeftButton);
        }
        QCOMPARE(shown, order);
        QCOMPARE(m_program->platform().messages, QStringList{QStringLiteral("Last image reached.\n0 of 5 added to ") + photo("SlideShow.htm")});
    }

    void aFailedCompletionIsReportedAndTheBatchStillEnds()
    {
        writeImage(photo("a.jpg"), QSize(20, 20));
        openDialog();
        chooseSource(m_photos->path());
        start();
        QTest::keyClicks(m_program->form()->txtCaption, QStringLiteral("kept"));
        m_program->setTemplate(QStringLiteral("Middle.txt"), QByteArray());
        QTest::mouseClick(m_program->form()->Command4, Qt::LeftButton);

        const QStringList &messages = m_program->platform().messages;
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages[0], QStringLiteral("Last image reached.\n1 of 1 added to ") + photo("SlideShow.htm"));
        QVERIFY2(messages[1].contains(QStringLiteral("Middle.txt")), qPrintable(messages[1]));
        QCOMPARE(document(), TestProgram::shippedHead() + slideEntry(1, "a.jpg", "kept"));
        QVERIFY(m_program->form()->btnView->isVisible());
        QVERIFY(!m_program->form()->Command4->isEnabled());
        QCOMPARE(m_program->platform().programEnds, 0);
    }

    void aBrokenImageIsReportedAndTheBatchGoesOn()
    {
        writeFile(photo("a.jpg"), "not a picture");
        writeImage(photo("b.jpg"), QSize(20, 20));
        openDialog();
        chooseSource(m_photos->path());
        start();
        QCOMPARE(m_program->platform().messages, QStringList{QStringLiteral("Error loading image")});
        QTest::mouseClick(m_program->form()->Next, Qt::LeftButton);
        QCOMPARE(objMediator->GetSourceFile(), photo("b.jpg"));
        QCOMPARE(m_program->platform().messages.size(), 1);
    }

    void theNextImageIsPrefetchedInOrder()
    {
        writeImage(photo("a.bmp"), QSize(40, 40), Qt::red);
        writeImage(photo("b.bmp"), QSize(50, 30), Qt::green);
        writeImage(photo("c.bmp"), QSize(30, 50), Qt::blue);
        openDialog();
        chooseSource(m_photos->path());
        start();
        Prefetcher &prefetcher = Prefetcher::shared();
        QCOMPARE(prefetcher.pendingPaths(), QStringList({photo("b.bmp"), photo("c.bmp")}));

        QTest::mouseClick(m_program->form()->Next, Qt::LeftButton);
        QCOMPARE(objMediator->GetSourceFile(), photo("b.bmp"));
        QCOMPARE(prefetcher.pendingPaths(), QStringList{photo("c.bmp")});
        const QImage prefetched = m_program->form()->PicBox->drawing();

        // The same pixels as a preview loaded on the spot.
        prefetcher.setEnabled(false);
        ParseObject again;
        again.init(photo("b.bmp"));
        again.Execute();
        QCOMPARE(m_program->form()->PicBox->drawing(), prefetched);
        prefetcher.setEnabled(true);

        QTest::mouseClick(m_program->form()->Next, Qt::LeftButton);
        QCOMPARE(prefetcher.pendingPaths(), QStringList()); // nothing left to fetch
        QTest::mouseClick(m_program->form()->Next, Qt::LeftButton);
        QCOMPARE(m_program->platform().messages, QStringList{QStringLiteral("Last image reached.\n0 of 3 added to ") + photo("SlideShow.htm")});
        QCOMPARE(prefetcher.pendingPaths(), QStringList());
    }

    void aFileChangedAfterItsPrefetchIsReadAgain_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("rewritten") << QStringLiteral("rewrite");
        QTest::newRow("deleted") << QStringLiteral("delete");
        QTest::newRow("broken") << QStringLiteral("break");
    }

    void aFileChangedAfterItsPrefetchIsReadAgain()
    {
        QFETCH(QString, change);
        writeImage(photo("a.bmp"), QSize(40, 40), Qt::red);
        writeImage(photo("b.bmp"), QSize(40, 40), Qt::green);
        openDialog();
        chooseSource(m_photos->path());
        start();
        QVERIFY(!Prefetcher::shared().take(photo("a.bmp"))); // not asked for: nothing
        QCOMPARE(Prefetcher::shared().pendingPaths(), QStringList{photo("b.bmp")});
        QTest::qWait(50);

        if (change == QLatin1String("rewrite"))
            writeImage(photo("b.bmp"), QSize(60, 40), Qt::blue);
        else if (change == QLatin1String("delete"))
            QVERIFY(QFile::remove(photo("b.bmp")));
        else
            writeFile(photo("b.bmp"), "no longer a picture");
        QTest::mouseClick(m_program->form()->Next, Qt::LeftButton);

        const QImage drawing = m_program->form()->PicBox->drawing();
        const QRgb centre = drawing.pixel(3500 / 30, 3500 / 30);
        if (change == QLatin1String("rewrite")) {
            QCOMPARE(centre, QColor(Qt::blue).rgb());
            QVERIFY(m_program->platform().messages.isEmpty());
        } else {
            QCOMPARE(m_program->platform().messages, QStringList{QStringLiteral("Error loading image")});
            QCOMPARE(centre, QColor(Qt::red).rgb()); // the previous preview stays
        }
    }

    void theSameWorkItemTwiceReloadsDespiteAPrefetch()
    {
        writeImage(photo("a.bmp"), QSize(40, 40), Qt::red);
        Prefetcher::shared().request({photo("a.bmp")});
        ParseObject item;
        item.init(photo("a.bmp"));
        item.Execute();
        QCOMPARE(m_program->form()->PicBox->drawing().pixel(116, 116), QColor(Qt::red).rgb());
        writeImage(photo("a.bmp"), QSize(40, 40), Qt::yellow);
        item.Execute();
        QCOMPARE(m_program->form()->PicBox->drawing().pixel(116, 116), QColor(Qt::yellow).rgb());
    }

    void closingOrRestartingDropsThePrefetch()
    {
        for (const char *name : {"a.bmp", "b.bmp", "c.bmp"})
            writeImage(photo(name), QSize(20, 20));
        openDialog();
        chooseSource(m_photos->path());
        start();
        QCOMPARE(Prefetcher::shared().pendingPaths(), QStringList({photo("b.bmp"), photo("c.bmp")}));
        m_program->form()->mnuClose->trigger();
        QCOMPARE(Prefetcher::shared().pendingPaths(), QStringList());

        openDialog();
        start();
        QCOMPARE(objMediator->GetSourceFile(), photo("a.bmp"));
        QCOMPARE(Prefetcher::shared().pendingPaths(), QStringList({photo("b.bmp"), photo("c.bmp")}));
    }

private:
    QString photo(const char *name) const { return m_photos->filePath(QLatin1String(name)); }
    QByteArray document() const { return readFile(photo("SlideShow.htm")); }
    QByteArray otherDocument() const { return readFile(m_other->filePath(QStringLiteral("SlideShow.htm"))); }

    void openDialog()
    {
        m_program->form()->mnuOpen->trigger();
        QVERIFY(m_program->dialog()->isVisible());
    }

    void chooseSource(const QString &folder)
    {
        m_program->platform().folderAnswers.enqueue(folder);
        QTest::mouseClick(m_program->dialog()->btnSource, Qt::LeftButton);
    }

    void start()
    {
        QTest::mouseClick(m_program->dialog()->Command1, Qt::LeftButton);
        QVERIFY(!m_program->dialog()->isVisible());
    }

    std::unique_ptr<TestProgram> m_program;
    std::unique_ptr<QTemporaryDir> m_photos;
    std::unique_ptr<QTemporaryDir> m_other;
};

QTEST_MAIN(TestBatch)
#include "tst_batch.moc"
