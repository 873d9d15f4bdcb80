// SPDX-License-Identifier: MIT
// What only the windows do: clicks that must not add twice or too early,
// keys, title, size label and undo, the web-sized option's box, and every
// way of ending the program.
#include "windowprogram.h"

#include "core/general.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/picturebox.h"

#include <QtWidgets>
#include <QtTest>

/** Mouse events as the window system delivers them, each made at its time of the monotonic clock. */
static void mouse(QWidget *widget, std::initializer_list<std::pair<QEvent::Type, qint64>> events)
{
    const QPoint middle = widget->rect().center();
    for (const auto &[type, at] : events) {
        QMouseEvent event(type, middle, widget->mapToGlobal(middle), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        event.setTimestamp(quint64(at));
        QApplication::sendEvent(widget, &event);
    }
}

// press: the mouse or the steps on the first image; added: the one file added, if any.
struct Press { QString press; QByteArray caption, added; QString onShow; };

class TestWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowProgram> p;
    static QByteArray end(const QByteArray &first) { return pageEnd(first, "My Slide Show"); }
    QString status() const { return p->form()->StatusBar1->findChild<QLabel *>(QStringLiteral("StatusBar1_Panel1"))->text(); }

private slots:
    void init()
    {
        p = std::make_unique<WindowProgram>();
        writeImage(p->source(QStringLiteral("a.bmp")), QSize(40, 30), Qt::red);
        writeImage(p->source(QStringLiteral("b.bmp")), QSize(30, 40), Qt::green);
        writeImage(p->source(QStringLiteral("c.bmp")), QSize(20, 20), Qt::blue);
    }
    void cleanup() { p.reset(); }

    // "Add to SlideShow" and "Skip" act on the image the user saw; captions are never cut.
    void addWhatYouSee_data()
    {
        QTest::addColumn<Press>("row");
        QTest::newRow("double-click on Add") << Press{"double add", "", "a.bmp", "b.bmp"};
        QTest::newRow("double-click on Skip") << Press{"double skip", "", "", "b.bmp"};
        QTest::newRow("click made before the image was painted") << Press{"early", "", "", "a.bmp"};
        QTest::newRow("image that failed to load") << Press{"failed", "", "c.bmp", "c.bmp"};
        QTest::newRow("damaged photo, said so") << Press{"damaged", "", "a.jpg", "b.bmp"};
        QTest::newRow("caption of 100,000 characters") << Press{"add", QByteArray(99'999, 'x') + '!', "a.bmp", "b.bmp"};
    }

    void addWhatYouSee()
    {
        QFETCH(Press, row);
        const auto &[press, caption, added, onShow] = row;
        if (press == QLatin1String("failed"))
            writeFile(p->source(QStringLiteral("a.bmp")), "not a picture");
        if (press == QLatin1String("damaged"))
            QVERIFY(QFile::remove(p->source(QStringLiteral("a.bmp")))
                    && QFile::copy(fixture(QStringLiteral("truncated.jpg")), p->source(QStringLiteral("a.jpg"))));
        p->startBatch();
        QPushButton *add = p->form()->Command4;
        const qint64 t = QDeadlineTimer::current().deadline();
        QCOMPARE(p->form()->lblDamaged->text(), press == QLatin1String("damaged")
                     ? QStringLiteral("Damaged: only part of this photo could be read") : QString());
        p->form()->txtCaption->insert(QString::fromLatin1(caption)); // as a paste does
        if (press.startsWith(QLatin1String("double"))) {
            mouse(press == QLatin1String("double add") ? add : p->form()->Next,
                  {{QEvent::MouseButtonPress, t}, {QEvent::MouseButtonRelease, t + 60},
                   {QEvent::MouseButtonPress, t + 150}, {QEvent::MouseButtonDblClick, t + 150},
                   {QEvent::MouseButtonRelease, t + 210}});
        } else if (press == QLatin1String("early")) {
            mouse(add, {{QEvent::MouseButtonPress, t - 500}, {QEvent::MouseButtonRelease, t - 440}});
        } else if (press == QLatin1String("failed")) {
            QVERIFY(p->messages().isEmpty()); // no box per file: told in the preview, Skip ready to press
            QCOMPARE(p->form()->PicBox->loadingText(), QStringLiteral("Error loading image\na.bmp"));
            QCOMPARE(p->form()->focusWidget(), p->form()->Next);
            QVERIFY(!add->isEnabled());
            p->add(); // does nothing: the page must hold c.bmp alone, first
            p->skip();
            p->skip();
            p->add();
        } else {
            QTest::mouseClick(add, Qt::LeftButton);
        }
        const QByteArray expected = "<head>\r\n" + (added.isEmpty() ? QByteArray() : entry(1, added, caption));
        QCOMPARE(p->page().left(expected.size()), expected);
        QVERIFY(!p->page().contains(added.isEmpty() ? "Picture[1]" : "Picture[2]"));
        QCOMPARE(p->shown(), onShow);
    }

    // The title, size label, keys and undo around one batch of a strangely named photo.
    void whereAmI()
    {
        Form2 *form = p->form();
        form->activateWindow(); // shortcuts reach the active window only
        QVERIFY(QTest::qWaitForWindowActive(form));
        QVERIFY(QFile::rename(p->source(QStringLiteral("b.bmp")), p->source(QStringLiteral("b Café à Noël %1.bmp"))));

        p->startBatch();
        QCOMPARE(form->windowTitle(), QStringLiteral("My Slide Show – Fotoweave"));
        form->txtSlideShowName->setText(QStringLiteral("Noël"));
        QCOMPARE(QStringList({form->windowTitle(), form->lblSizeBefore->text()}),
                 QStringList({"Noël – Fotoweave", "40 × 30 px, 3.7 kB"}));

        QTest::keyClicks(form->txtCaption, QStringLiteral("red"));
        QTest::keyClick(form->txtCaption, Qt::Key_Return);
        QVERIFY(waitForPreview());
        QCOMPARE(QStringList({status(), form->lblSizeBefore->text()}),
                 QStringList({"2 of 3 · b Café à Noël %1.bmp · 1 added", "30 × 40 px, 3.7 kB"}));
        QTest::keyClick(form->txtCaption, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form->txtCaption->text(), QString()); // the last photo's caption stays with it

        QTest::keyClick(form->txtCaption, Qt::Key_Left, Qt::AltModifier);
        QVERIFY(waitForPreview());
        // The caption put back, ready to be corrected.
        QCOMPARE(QStringList({p->shown(), form->txtCaption->selectedText()}), QStringList({"a.bmp", "red"}));
        QTest::keyClick(form->txtCaption, Qt::Key_Left, Qt::AltModifier); // first image: nowhere to go
        QCOMPARE(p->shown(), QStringLiteral("a.bmp"));

        form->txtSlideShowName->setText(QStringLiteral("My Slide Show"));
        for (int i = 0; i < 3; ++i)
            p->skip();
        QCOMPARE(status(), QStringLiteral("Finished: 0 of 3 added to ") + p->target(QStringLiteral("SlideShow.htm")));
        QTest::keyClick(form->txtCaption, Qt::Key_Left, Qt::AltModifier); // the page is complete
        QCOMPARE(p->page(), "<head>\r\n" + end(""));
        form->txtSlideShowName->setText(QStringLiteral("Later")); // the page is made: the title stays
        QCOMPARE(form->windowTitle(), QStringLiteral("My Slide Show – Fotoweave"));

        form->mnuClose->trigger();
        QCOMPARE(QStringList({form->windowTitle(), status(), form->lblSizeBefore->text()}),
                 QStringList({"Fotoweave", "", ""}));
        QVERIFY(!form->btnBack->isVisible());
    }

    // The web-sized option can always be ticked, and says where its copies go.
    void webSizedOption()
    {
        QCheckBox *box = p->dialog()->chkWebSized;
        p->chooseFolders(p->source());
        QVERIFY(!box->isChecked() && box->isEnabled());
        QCOMPARE(box->toolTip(), QStringLiteral("Writes each added photo as a JPEG of at most 2048 px, with a thumbnail, "
                                                "into the folder SlideShow-photos beside the page; the originals stay as they are."));
        p->chooseFolders(p->source(), p->target());
        QCOMPARE(box->toolTip(), QStringLiteral("Writes each added photo as a JPEG of at most 2048 px, with a thumbnail; "
                                                "the originals stay as they are."));

        // A continued web-sized show keeps its size: shown, locked; the person's choice comes back after.
        writeFile(p->pagePath(), "<head>\r\n" + entry(1, "a.jpg", "A") + "Thumbnail[1] = 'SlideShow-thumbnails/a.jpg';\r\n");
        p->platform().questionAnswers.enqueue(QStringLiteral("Continue"));
        p->start();
        QVERIFY(box->isChecked() && !box->isEnabled());
        p->close();
        QVERIFY(!box->isChecked() && box->isEnabled());
    }

    // The Exit button, File > Exit and closing the window complete the page, then end the program; File > Close
    // completes it and stays. Either way the target is free again and nothing more is written.
    void everyWayOut_data()
    {
        QTest::addColumn<QString>("way"); // the button or menu item by its name
        QTest::addColumn<QByteArray>("caption"); // null: nothing added
        QTest::newRow("Exit button") << "Command1" << QByteArray("kept");
        QTest::newRow("File > Exit") << "mnuExit" << QByteArray("kept");
        QTest::newRow("File > Exit, no slide") << "mnuExit" << QByteArray();
        QTest::newRow("closing the window") << "window" << QByteArray("kept");
        QTest::newRow("File > Close") << "mnuClose" << QByteArray("kept");
        QTest::newRow("File > Close, no slide") << "mnuClose" << QByteArray();
    }

    void everyWayOut()
    {
        QFETCH(QString, way);
        QFETCH(QByteArray, caption);
        p->startBatch();
        if (!caption.isNull())
            p->add(QString::fromLatin1(caption));
        if (auto *button = p->form()->findChild<QPushButton *>(way))
            QTest::mouseClick(button, Qt::LeftButton);
        else if (auto *item = p->form()->findChild<QAction *>(way))
            item->trigger();
        else
            p->form()->close();
        QCOMPARE(p->platform().programEnds, way == QLatin1String("mnuClose") ? 0 : 1);
        const QByteArray page = "<head>\r\n" + (caption.isNull() ? end("") : entry(1, "a.bmp", caption) + end("a.bmp"));
        QCOMPARE(p->page(), page);
        QVERIFY(p->messages().isEmpty());
        QVERIFY(QLockFile(p->target(QStringLiteral(".SlideShow.htm.lock"))).tryLock(0));
        objMediator->exit();
        QCOMPARE(p->page(), page);
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
