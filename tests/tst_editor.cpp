// SPDX-License-Identifier: MIT
// The show editor through its window: each change written back exactly as a
// batch writes the same slides, a page it refuses or may only show, the
// question before unsaved changes go, and which copies a removal deletes.
#include "windowprogram.h"

#include "core/general.h"
#include "document/showrecord.h"
#include "document/slidelistmodel.h"
#include "document/targetlock.h"
#include "ui/form2.h"
#include "ui/showeditor.h"

#include <QtWidgets>
#include <QtTest>

// The page the editor opens, its entries, and b.bmp and c.bmp moved up one.
const QByteArray Head = "<head>\r\n", A1 = entry(1, "a.bmp", "Alpha"), B2 = entry(2, "b.bmp", "Beta");
const QByteArray C3 = entry(3, "c.bmp", "Gamma"), EndA = pageEnd("a.bmp", "Trip"), Start = Head + A1 + B2 + C3 + EndA;
const QByteArray B1C2 = entry(1, "b.bmp", "Beta") + entry(2, "c.bmp", "Gamma"), EndB = pageEnd("b.bmp", "Trip");
// The record of a show of web-sized slides.
const QByteArray WebSized = R"({"version": 1, "webSized": true, "skipped": [], "made": []})";

/** A page the editor refuses, or only shows while a batch holds its folder (locked), and what it says. */
struct Refusal { QByteArray page; bool locked; QString message; };
/** A record before a save that removes a.bmp and b.bmp once; the photos kept and what the record names afterwards. */
struct Removal { QByteArray record; QStringList kept, made; };

class TestEditor : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowProgram> p;
    QPointer<ShowEditor> editor;

    /** Ctrl+E in the main window, the page chosen; true once an editor shows it. */
    bool openEditor()
    {
        objMediator->takeTargetFolder(p->target());
        p->platform().fileAnswers.enqueue(p->pagePath());
        QApplication::setActiveWindow(p->form());
        if (QTest::qWaitForWindowActive(p->form()))
            QTest::keyClick(p->form(), Qt::Key_E, Qt::ControlModifier);
        if (!QTest::qWaitFor([this] { return findEditor() || !p->messages().isEmpty(); }) || !(editor = findEditor()))
            return false;
        QApplication::setActiveWindow(editor);
        return QTest::qWaitForWindowActive(editor);
    }
    static ShowEditor *findEditor()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *found = qobject_cast<ShowEditor *>(window); found && found->isVisible())
                return found;
        }
        return nullptr;
    }
    /** Steps as a user takes them: a slide number selects it, "kind:text" types into a box, the rest are keys. */
    void act(const QStringList &steps)
    {
        const QHash<QString, QString> keys{{"up", "Ctrl+Up"}, {"down", "Ctrl+Down"}, {"delete", "Del"},
            {"undo", "Ctrl+Z"}, {"redo", "Ctrl+Shift+Z"}, {"save", "Ctrl+S"}, {"add", "Ctrl+I"}};
        for (const QString &step : steps) {
            const QStringList parts = step.split(QLatin1Char(':'));
            const QString &kind = parts.constFirst();
            if (kind.front().isDigit()) {
                editor->slideList()->setCurrentIndex(editor->model()->index(kind.toInt() - 1));
            } else if (kind == QLatin1String("caption") || kind == QLatin1String("F2")) {
                QTest::keyClick(editor->slideList(), kind == QLatin1String("F2") ? Qt::Key_F2 : Qt::Key_Return);
                auto *box = qobject_cast<QLineEdit *>(QApplication::focusWidget());
                QVERIFY(box && box != editor->txtShowName);
                box->selectAll();
                QTest::keyClicks(box, parts[1]);
                QTest::keyClick(box, Qt::Key_Return);
                // The caption is taken once the box has closed.
                QTRY_COMPARE(QApplication::focusWidget(), editor->slideList());
            } else if (kind == QLatin1String("drag")) {
                // What the list does when a slide is dropped: a move of one row.
                QVERIFY(editor->model()->moveRow(QModelIndex(), parts[1].toInt(), QModelIndex(), parts[2].toInt()));
            } else if (kind == QLatin1String("rename")) {
                editor->txtShowName->selectAll();
                QTest::keyClicks(editor->txtShowName, parts[1]);
                QTest::keyClick(editor->txtShowName, Qt::Key_Return);
                editor->slideList()->setFocus();
            } else {
                QVERIFY2(keys.contains(step), qPrintable(step));
                if (step == QLatin1String("add"))
                    p->platform().folderAnswers.enqueue(p->source());
                QTest::keySequence(editor->slideList(), QKeySequence(keys[step]));
                QTRY_VERIFY(!editor->isBusy()); // pages are written and photos copied off the window's thread
            }
        }
    }

private slots:
    void init()
    {
        p = std::make_unique<WindowProgram>();
        for (const QString &path : {p->target("a.bmp"), p->target("b.bmp"), p->target("c.bmp"), p->source("d.bmp")})
            writeImage(path);
        writeFile(p->pagePath(), Start);
    }
    void cleanup()
    {
        delete editor;
        p.reset();
    }

    void edits_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QByteArray>("page");
        const QByteArray B3C4 = entry(3, "b.bmp", "Beta") + entry(4, "c.bmp", "Gamma"); // after a slide added
        QTest::newRow("caption edited with Enter, escaped as a new entry") << QStringList{"2", "caption:It's <b>\\"}
            << Head + A1 + entry(2, "b.bmp", "It\\'s \\x3Cb>\\\\") + C3 + EndA;
        QTest::newRow("F2 edits, first slide moved to the end") << QStringList{"1", "F2:First", "down", "down", "down"}
            << Head + B1C2 + entry(3, "a.bmp", "First") + EndB;
        QTest::newRow("moved up, dropped at the top, then at the end") << QStringList{"2", "up", "drag:2:0", "drag:0:3"}
            << Head + entry(1, "b.bmp", "Beta") + entry(2, "a.bmp", "Alpha") + C3 + EndB;
        QTest::newRow("first removed") << QStringList{"1", "delete"} << Head + B1C2 + EndB;
        QTest::newRow("every slide removed")
            << QStringList{"1", "delete", "delete", "delete"} << Head + pageEnd("", "Trip");
        QTest::newRow("photos added after the selected slide")
            << QStringList{"1", "add", "caption:New"} << Head + A1 + entry(2, "d.bmp", "New") + B3C4 + EndA;
        QTest::newRow("photos added to a web-sized show are made web-sized") << QStringList{"web-sized", "1", "add"}
            << Head + A1 + "\r\n\r\nPicture[2]  = 'd.jpg'; \r\nCaption[2] = '' ;\r\n"
                "Thumbnail[2] = 'SlideShow-thumbnails/d.jpg';\r\n" + B3C4 + EndA;
        QTest::newRow("undone and redone")
            << QStringList{"3", "caption:X", "drag:2:0", "delete", "undo", "undo", "redo", "undo", "undo", "redo"}
            << Head + A1 + B2 + entry(3, "c.bmp", "X") + EndA;
        QTest::newRow("renamed, and the rename undone and redone") << QStringList{"rename:Trip & <Co>", "undo", "redo"}
            << Head + A1 + B2 + C3 + pageEnd("a.bmp", "Trip &amp; &lt;Co&gt;");
    }

    void edits()
    {
        QFETCH(QStringList, steps);
        QFETCH(QByteArray, page);
        if (steps.removeOne(QStringLiteral("web-sized"))) // the show's record says how it was made
            writeFile(p->target(".SlideShow.htm.state"), WebSized);
        QVERIFY(openEditor());
        act(steps << QStringLiteral("save"));
        QCOMPARE(p->page(), page);
        QVERIFY(!editor->model()->isModified());
        QCOMPARE(p->platform().fileStarts, QStringList{p->target()});
        QCOMPARE(p->messages(), QStringList());
    }

    void refusedOrReadOnly_data()
    {
        QTest::addColumn<Refusal>("refusal");
        QTest::newRow("page of another program") << Refusal{"<html>theirs</html>", false,
            "\"%1\" is not a slide show that can be edited: it does not begin with the page head this program writes."};
        QTest::newRow("folder held by a batch") << Refusal{Start, true,
            "A slide show batch is writing to the folder \"%2\", so the slide show \"Trip\" is opened read-only. "
            "Finish or close that batch, then open the slide show again to edit it."};
    }

    void refusedOrReadOnly()
    {
        QFETCH(Refusal, refusal);
        TargetLock batch(p->target());
        QVERIFY(!refusal.locked || batch.tryLock());
        writeFile(p->pagePath(), refusal.page);
        QCOMPARE(openEditor(), refusal.locked);
        QCOMPARE(p->messages(), QStringList{refusal.message.replace("%1", p->pagePath()).replace("%2", p->target())});
        if (!refusal.locked)
            return;
        act({"1", "delete", "down", "save"});
        QCOMPARE(editor->model()->rowCount(), 3);
        editor->close();
        QCOMPARE(p->page(), refusal.page);
        QCOMPARE(p->platform().questions, QStringList());
    }

    // Closing the editor, or the program, with changes asks first: Save writes them, Discard drops them and the
    // copies made meanwhile, Cancel stays.
    void unsavedChanges_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("Save, on File > Exit") << "Save";
        QTest::newRow("Discard") << "Discard";
        QTest::newRow("Cancel, on File > Exit") << "Cancel";
    }

    void unsavedChanges()
    {
        QFETCH(QString, answer);
        QVERIFY(openEditor());
        act({"3", "add", "1", "delete"});
        p->platform().questionAnswers.enqueue(answer);
        const bool exit = QByteArray(QTest::currentDataTag()).contains("Exit"), stays = answer == "Cancel";
        exit ? p->form()->mnuExit->trigger() : void(editor->close());
        QTRY_COMPARE(findEditor() != nullptr, stays);
        QCOMPARE(p->platform().questions,
                 QStringList{"The slide show \"Trip\" has changes that are not saved.\n\nSave them before closing?"});
        QCOMPARE(p->platform().questionChoices, (QList<QStringList>{{"Save", "Discard", "Cancel"}}));
        QCOMPARE(p->page(), answer == QLatin1String("Save") ? Head + B1C2 + entry(3, "d.bmp", "") + EndB : Start);
        QCOMPARE(QFileInfo::exists(p->target("d.bmp")), answer != QLatin1String("Discard"));
        QVERIFY(QFileInfo::exists(p->target("a.bmp"))); // never recorded as made for the show
        QCOMPARE(p->platform().programEnds, exit && !stays ? 1 : 0);
    }

    // Saving deletes a removed slide's copy only when the record names it as made for this show and no slide uses it.
    void removedCopies_data()
    {
        QTest::addColumn<Removal>("removal");
        const QByteArray record = R"({"version": 1, "webSized": false, "skipped": [], "made": )";
        QTest::newRow("made for the show") << Removal{record + R"(["a.bmp", "b.bmp"]})", {"b.bmp", "c.bmp"}, {"b.bmp"}};
        QTest::newRow("made, but not these")
            << Removal{record + R"(["c.bmp"]})", {"a.bmp", "b.bmp", "c.bmp"}, {"c.bmp"}};
        QTest::newRow("damaged record") << Removal{R"({"made": ["a.bmp"])", {"a.bmp", "b.bmp", "c.bmp"}, {}};
    }

    void removedCopies()
    {
        QFETCH(Removal, removal);
        writeFile(p->pagePath(), Head + A1 + B2 + C3 + entry(4, "b.bmp", "Beta again") + EndA);
        writeFile(p->target(".SlideShow.htm.state"), removal.record);
        QVERIFY(openEditor());
        act({"1", "delete", "delete", "save"});
        QCOMPARE(QDir(p->target()).entryList({QStringLiteral("*.bmp")}), removal.kept);
        QCOMPARE(ShowRecord::load(p->pagePath()).made, removal.made);
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
