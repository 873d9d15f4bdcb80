// SPDX-License-Identifier: MIT
// Going back in a batch and knowing where one is, with no window: the
// document on disk after every step, the copies Back removes (and the ones it
// must never touch), and what the status bar and caption box are given.
#include "testsupport.h"

#include "core/general.h"

#include <QtGui>
#include <QtTest>

#include <cstdio>

/**
 * Steps and, after each, the document on disk, the status bar, the caption box and the copies in the target; what
 * Back refused; whether the target is the source folder itself.
 */
struct Walk { QStringList steps; QByteArrayList documents; QStringList statuses, captions, copies;
              QString refused = {}; bool intoSource = false; };

class TestBack : public QObject
{
    Q_OBJECT

private slots:
    // Each step is "add:<caption>", "fail:<caption>" (the photo vanished after it
    // was shown, so its copy fails), "skip", "back", "replace" (the page is
    // replaced by a copy of itself, as an editor does) or "edit" (another
    // program appends to it); after it, the document on disk, the status bar,
    // the caption box and the copies in the target, which is another folder or
    // the source itself.
    void everyStepLeavesTheDocumentExact_data()
    {
        QTest::addColumn<Walk>("walk");
        const QByteArray h = "<head>\r\n", nothingAdded = h + pageEnd("", "My Slide Show");
        const QByteArray a1 = entry(1, "a.bmp", "one"), a1again = entry(1, "a.bmp", "uno"), b1 = entry(1, "b.bmp", "bee");
        const QString at1 = "1 of 3 · a.bmp · 0 added", at2 = "2 of 3 · b.bmp · 1 added", abc = "a.bmp b.bmp c.bmp";

        QTest::newRow("add, add, back, back, add, skip, add")
            << Walk{{"add:one", "add:two", "back", "back", "add:uno", "skip", "add:tres"},
                    {h + a1, h + a1 + entry(2, "b.bmp", "two"), h + a1, h, h + a1again, h + a1again,
                     h + a1again + entry(2, "c.bmp", "tres") + pageEnd("a.bmp", "My Slide Show")},
                    {at2, "3 of 3 · c.bmp · 2 added", at2, at1, at2, "3 of 3 · c.bmp · 1 added", "Finished: 2 of 3 added to <page>"},
                    {"", "", "two", "one", "", "", "tres"}, {"a.bmp", "a.bmp b.bmp", "a.bmp", "", "a.bmp", "a.bmp", "a.bmp c.bmp"}};
        QTest::newRow("back onto skipped images, then to the end")
            << Walk{{"skip", "add:bee", "back", "back", "skip", "skip", "skip"}, {h, h + b1, h, h, h, h, nothingAdded},
                    {"2 of 3 · b.bmp · 0 added", "3 of 3 · c.bmp · 1 added", "2 of 3 · b.bmp · 0 added", at1,
                     "2 of 3 · b.bmp · 0 added", "3 of 3 · c.bmp · 0 added", "Finished: 0 of 3 added to <page>"},
                    {"", "", "bee", "", "", "", ""}, {"", "b.bmp", "", "", "", "", ""}};
        QTest::newRow("back after a failed add")
            << Walk{{"add:one", "fail:two", "back", "add:uno"}, {h + a1, h + a1, h, h + a1again},
                    {at2, at2, at1, at2 + " · Error loading image"}, // b.bmp is gone
                    {"", "two", "one", ""}, {"a.bmp", "a.bmp", "", "a.bmp"}};
        const QByteArray ab = h + a1 + entry(2, "b.bmp", "two");
        const QString cut = "The slide show \"<page>\" could not be %1: another file has taken its place.";
        QTest::newRow("back and the end after the page was replaced by a copy")
            << Walk{{"add:one", "add:two", "replace", "back", "skip"}, {h + a1, ab, ab, ab, ab},
                    {at2, "3 of 3 · c.bmp · 2 added", "3 of 3 · c.bmp · 2 added", "3 of 3 · c.bmp · 2 added", cut.arg("written")},
                    {"", "", "", "", ""}, {"a.bmp", "a.bmp b.bmp", "a.bmp b.bmp", "a.bmp b.bmp", "a.bmp b.bmp"},
                    cut.arg("cut back") + "\nNothing was taken back."};
        QTest::newRow("back after another program wrote to the page")
            << Walk{{"add:one", "edit", "back"}, {h + a1, h + a1 + "//", h + a1 + "//"}, {at2, at2, at2}, {"", "", ""},
                    {"a.bmp", "a.bmp", "a.bmp"}, "The slide show \"<page>\" could not be cut back: another program has "
                    "changed it since it was written.\nNothing was taken back."};
        // Back never deletes a file the batch did not create.
        QTest::newRow("the photo itself stays when the target is the source")
            << Walk{{"add:one", "back"}, {h + a1, h}, {at2, at1}, {"", "one"}, {abc, abc}, {}, true};
    }

    void everyStepLeavesTheDocumentExact()
    {
        QFETCH(Walk, walk);
        const auto &[steps, documents, statuses, captions, copies, refused, intoSource] = walk;
        TestProgram p;
        for (const char *name : {"a.bmp", "b.bmp", "c.bmp"})
            writeImage(p.source(QLatin1String(name)));
        const QString folder = intoSource ? p.source() : p.target(), page = folder + QStringLiteral("/SlideShow.htm");
        const QByteArray photoA = readFile(p.source(QStringLiteral("a.bmp")));

        p.chooseFolders(p.source(), folder);
        p.start();
        QCOMPARE(p.status(), QStringLiteral("1 of 3 · a.bmp · 0 added"));
        QVERIFY(!objMediator->buttons().backEnabled); // nothing passed yet
        for (int i = 0; i < steps.size(); ++i) {
            const QString &step = steps[i];
            if (step.startsWith(QLatin1String("fail:")))
                QVERIFY(QFile::remove(objMediator->GetSourceFile()));
            if (step.contains(QLatin1Char(':')))
                p.add(step.section(QLatin1Char(':'), 1)); // typed over a caption put back, as a user would
            else if (step == QLatin1String("skip"))
                p.skip();
            else if (step == QLatin1String("back"))
                p.back();
            else if (step == QLatin1String("edit"))
                writeFile(page, readFile(page) + "//");
            else
                QVERIFY(QFile::copy(page, page + ".new") && ::rename(qPrintable(page + ".new"), qPrintable(page)) == 0);
            QVERIFY2(readFile(page) == documents[i],
                     QStringLiteral("after step %1 (%2):\n").arg(i + 1).arg(step).toUtf8() + readFile(page));
            QCOMPARE(p.status(), QString(statuses[i]).replace(QStringLiteral("<page>"), page));
            QCOMPARE(p.caption(), captions[i]);
            QCOMPARE(QDir(folder).entryList({QStringLiteral("*.bmp")}, QDir::Files).join(QLatin1Char(' ')), copies[i]);
            const bool ongoing = statuses[i].contains(QStringLiteral(" · "));
            QCOMPARE(objMediator->buttons().backEnabled, ongoing && !statuses[i].startsWith(QLatin1String("1 of")));
        }
        QCOMPARE(readFile(p.source(QStringLiteral("a.bmp"))), photoA);
        QCOMPARE(p.messages().filter("taken back").join('|'), QString(refused).replace("<page>", page));
        if (!statuses.last().contains(QStringLiteral(" · "))) {
            // The end says what became of the page, and nothing is written or said after it.
            const QString last = QString(statuses.last()).replace(QStringLiteral("<page>"), page);
            QCOMPARE(p.messages().last(), QStringLiteral("Last image reached.\n") + last.mid(last.startsWith("Finished: ") ? 10 : 0));
            const qsizetype told = p.messages().size();
            objMediator->exit();
            QCOMPARE(p.messages().size(), told);
            QCOMPARE(readFile(page), documents.last());
        }
    }

};

QTEST_MAIN(TestBack)
#include "tst_back.moc"
