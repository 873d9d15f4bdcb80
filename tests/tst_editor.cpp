// SPDX-License-Identifier: MIT
// The show editor through its window: each change written back exactly as a
// batch writes the same slides, a page it refuses or may only show, the
// question before unsaved changes go, and which copies a removal deletes.
#include "windowprogram.h"

#include "core/general.h"
#include "core/mediator.h"
#include "document/showrecord.h"
#include "document/slidelistmodel.h"
#include "document/targetlock.h"
#include "ui/form2.h"
#include "ui/showeditor.h"

#include <QtWidgets>
#include <QtTest>

namespace {
const QByteArray Start = "<head>\r\n" + entry(1, "a.bmp", "Alpha") + entry(2, "b.bmp", "Beta") + entry(3, "c.bmp", "Gamma")
    + pageEnd("a.bmp", "Trip");
}

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
        if (!QTest::qWaitForWindowActive(p->form()))
            return false;
        QTest::keyClick(p->form(), Qt::Key_E, Qt::ControlModifier);
        editor = nullptr;
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
    /** One step as a user takes it: a slide number selects it, the rest are keys and boxes. */
    void step(const QString &step)
    {
        QListView *list = editor->slideList();
        const QString text = step.section(QLatin1Char(':'), 1);
        if (step.front().isDigit()) {
            list->setCurrentIndex(editor->model()->index(step.toInt() - 1));
        } else if (step.startsWith(QLatin1String("caption")) || step.startsWith(QLatin1String("F2"))) {
            QTest::keyClick(list, step.startsWith(QLatin1String("F2")) ? Qt::Key_F2 : Qt::Key_Return);
            auto *box = qobject_cast<QLineEdit *>(QApplication::focusWidget());
            QVERIFY(box && box != editor->txtShowName);
            box->selectAll();
            QTest::keyClicks(box, text);
            QTest::keyClick(box, Qt::Key_Return);
            QTRY_COMPARE(QApplication::focusWidget(), list); // the caption is taken once the box has closed
        } else if (step.startsWith(QLatin1String("drag"))) {
            // What the list does when a slide is dropped: a move of one row.
            QVERIFY(editor->model()->moveRow(QModelIndex(), step.section(QLatin1Char(':'), 1, 1).toInt(), QModelIndex(),
                                             step.section(QLatin1Char(':'), 2, 2).toInt()));
        } else if (step.startsWith(QLatin1String("rename"))) {
            editor->txtShowName->selectAll();
            QTest::keyClicks(editor->txtShowName, text);
            QTest::keyClick(editor->txtShowName, Qt::Key_Return);
            list->setFocus();
        } else if (step == QLatin1String("add")) {
            p->platform().folderAnswers.enqueue(p->source());
            QTest::keyClick(list, Qt::Key_I, Qt::ControlModifier);
            QTRY_VERIFY(!editor->isBusy()); // copied off the window's thread
        } else {
            const QHash<QString, QKeyCombination> keys{
                {QStringLiteral("up"), Qt::CTRL | Qt::Key_Up}, {QStringLiteral("down"), Qt::CTRL | Qt::Key_Down},
                {QStringLiteral("delete"), QKeyCombination(Qt::Key_Delete)}, {QStringLiteral("undo"), Qt::CTRL | Qt::Key_Z},
                {QStringLiteral("redo"), Qt::CTRL | Qt::SHIFT | Qt::Key_Z}, {QStringLiteral("save"), Qt::CTRL | Qt::Key_S}};
            QVERIFY2(keys.contains(step), qPrintable(step));
            QTest::keyClick(list, keys[step].key(), keys[step].keyboardModifiers());
            QTRY_VERIFY(!editor->isBusy()); // a page is written off the window's thread
        }
    }

private slots:
    void init()
    {
        p = std::make_unique<WindowProgram>();
        for (const char *name : {"a.bmp", "b.bmp", "c.bmp"})
            writeImage(p->target(QLatin1String(name)));
        writeImage(p->source(QStringLiteral("d.bmp")));
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
        const QByteArray a = entry(1, "a.bmp", "Alpha"), head = "<head>\r\n";
        QTest::newRow("caption edited with Enter, escaped as a new entry")
            << QStringList{"2", "caption:It's <b>\\"} << head + a + entry(2, "b.bmp", "It\\'s \\x3Cb>\\\\")
                + entry(3, "c.bmp", "Gamma") + pageEnd("a.bmp", "Trip");
        QTest::newRow("F2 edits, first slide moved to the end")
            << QStringList{"1", "F2:First", "down", "down", "down"}
            << head + entry(1, "b.bmp", "Beta") + entry(2, "c.bmp", "Gamma") + entry(3, "a.bmp", "First")
                + pageEnd("b.bmp", "Trip");
        QTest::newRow("moved up, dropped at the top, then at the end")
            << QStringList{"2", "up", "drag:2:0", "drag:0:3"}
            << head + entry(1, "b.bmp", "Beta") + entry(2, "a.bmp", "Alpha") + entry(3, "c.bmp", "Gamma")
                + pageEnd("b.bmp", "Trip");
        QTest::newRow("first removed") << QStringList{"1", "delete"}
                                       << head + entry(1, "b.bmp", "Beta") + entry(2, "c.bmp", "Gamma") + pageEnd("b.bmp", "Trip");
        QTest::newRow("every slide removed") << QStringList{"1", "delete", "delete", "delete"} << head + pageEnd("", "Trip");
        QTest::newRow("photos added after the selected slide")
            << QStringList{"1", "add", "caption:New"}
            << head + a + entry(2, "d.bmp", "New") + entry(3, "b.bmp", "Beta") + entry(4, "c.bmp", "Gamma")
                + pageEnd("a.bmp", "Trip");
        QTest::newRow("photos added to a web-sized show are made web-sized")
            << QStringList{"web-sized", "1", "add"}
            << head + a + "\r\n\r\nPicture[2]  = 'd.jpg'; \r\nCaption[2] = '' ;\r\nThumbnail[2] = 'SlideShow-thumbnails/d.jpg';\r\n"
                + entry(3, "b.bmp", "Beta") + entry(4, "c.bmp", "Gamma") + pageEnd("a.bmp", "Trip");
        QTest::newRow("undone and redone")
            << QStringList{"3", "caption:X", "drag:2:0", "delete", "undo", "undo", "redo", "undo", "undo", "redo"}
            << head + a + entry(2, "b.bmp", "Beta") + entry(3, "c.bmp", "X") + pageEnd("a.bmp", "Trip");
        QTest::newRow("renamed, and the rename undone and redone")
            << QStringList{"rename:Trip & <Co>", "undo", "redo"}
            << head + a + entry(2, "b.bmp", "Beta") + entry(3, "c.bmp", "Gamma") + pageEnd("a.bmp", "Trip &amp; &lt;Co&gt;");
    }

    void edits()
    {
        QFETCH(QStringList, steps);
        QFETCH(QByteArray, page);
        if (steps.constFirst() == QLatin1String("web-sized")) { // the show's record says how it was made
            ShowRecord record;
            record.webSized = true;
            QVERIFY(record.save(p->pagePath()));
            steps.removeFirst();
        }
        QVERIFY(openEditor());
        for (const QString &s : std::as_const(steps))
            step(s);
        step(QStringLiteral("save"));
        QCOMPARE(p->page(), page);
        QVERIFY(!editor->model()->isModified());
        QCOMPARE(p->platform().fileStarts, QStringList{p->target()});
        QCOMPARE(p->messages(), QStringList());
    }

    // A page of another program is refused whole, with the reason; one whose folder a batch holds is only shown.
    void refusedOrReadOnly_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QString>("message");
        QTest::newRow("page of another program")
            << QByteArray("<html>theirs</html>") << false
            << "\"%1\" is not a slide show that can be edited: it does not begin with the page head this program writes.";
        QTest::newRow("folder held by a batch")
            << Start << true
            << "A slide show batch is writing to the folder \"%2\", so the slide show \"Trip\" is opened read-only. "
               "Finish or close that batch, then open the slide show again to edit it.";
    }

    void refusedOrReadOnly()
    {
        QFETCH(QByteArray, page);
        QFETCH(bool, locked);
        QFETCH(QString, message);
        TargetLock batch(p->target());
        QVERIFY(!locked || batch.tryLock());
        writeFile(p->pagePath(), page);
        QCOMPARE(openEditor(), locked);
        QCOMPARE(p->messages(), QStringList{message.replace("%1", p->pagePath()).replace("%2", p->target())});
        if (!locked)
            return;
        for (const char *s : {"1", "delete", "down", "save"})
            step(QLatin1String(s));
        QCOMPARE(editor->model()->rowCount(), 3);
        editor->close();
        QCOMPARE(p->page(), page);
        QCOMPARE(p->platform().questions, QStringList());
    }

    // Closing the editor, or the program, with changes asks first: Save writes them, Discard drops them and the
    // copies made meanwhile, Cancel stays.
    void unsavedChanges_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<bool>("stays");
        QTest::newRow("Save, on File > Exit") << "Save"
                              << "<head>\r\n" + entry(1, "b.bmp", "Beta") + entry(2, "c.bmp", "Gamma") + entry(3, "d.bmp", "")
                + pageEnd("b.bmp", "Trip")
                              << false;
        QTest::newRow("Discard") << "Discard" << Start << false;
        QTest::newRow("Cancel, on File > Exit") << "Cancel" << Start << true;
    }

    void unsavedChanges()
    {
        QFETCH(QString, answer);
        QFETCH(QByteArray, page);
        QFETCH(bool, stays);
        QVERIFY(openEditor());
        for (const char *s : {"3", "add", "1", "delete"})
            step(QLatin1String(s));
        p->platform().questionAnswers.enqueue(answer);
        const bool exit = QByteArray(QTest::currentDataTag()).contains("Exit");
        if (exit)
            p->form()->mnuExit->trigger();
        else
            editor->close();
        QTRY_COMPARE(findEditor() != nullptr, stays);
        QCOMPARE(p->platform().questions,
                 QStringList{"The slide show \"Trip\" has changes that are not saved.\n\nSave them before closing?"});
        QCOMPARE(p->platform().questionChoices, (QList<QStringList>{{"Save", "Discard", "Cancel"}}));
        QCOMPARE(p->page(), page);
        QCOMPARE(QFileInfo::exists(p->target("d.bmp")), answer != QLatin1String("Discard"));
        QVERIFY(QFileInfo::exists(p->target("a.bmp"))); // never recorded as made for the show
        QCOMPARE(p->platform().programEnds, exit && !stays ? 1 : 0);
    }

    // Saving deletes a removed slide's copy only when the record names it as made for this show and no slide uses it.
    void removedCopies_data()
    {
        QTest::addColumn<QByteArray>("record"); // empty: none
        QTest::addColumn<QStringList>("gone");
        QTest::addColumn<QStringList>("made"); // what the record names afterwards
        ShowRecord made;
        made.made = QStringList{"a.bmp", "b.bmp"};
        ShowRecord other;
        other.made = QStringList{"c.bmp"};
        QTest::newRow("made for the show") << made.toJson() << QStringList{"a.bmp"} << QStringList{"b.bmp"};
        QTest::newRow("made, but not these") << other.toJson() << QStringList() << QStringList{"c.bmp"};
        QTest::newRow("damaged record") << QByteArray("{\"made\": [\"a.bmp\"") << QStringList() << QStringList();
    }

    void removedCopies()
    {
        QFETCH(QByteArray, record);
        QFETCH(QStringList, gone);
        QFETCH(QStringList, made);
        writeFile(p->pagePath(), "<head>\r\n" + entry(1, "a.bmp", "A") + entry(2, "b.bmp", "B") + entry(3, "c.bmp", "C")
                      + entry(4, "b.bmp", "B again") + pageEnd("a.bmp", "Trip"));
        writeFile(ShowRecord::pathFor(p->pagePath()), record);
        QVERIFY(openEditor());
        for (const char *s : {"1", "delete", "delete", "save"})
            step(QLatin1String(s));
        for (const char *name : {"a.bmp", "b.bmp", "c.bmp"})
            QVERIFY2(QFileInfo::exists(p->target(QLatin1String(name))) != gone.contains(QLatin1String(name)), name);
        QCOMPARE(ShowRecord::load(p->pagePath()).made, made);
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
