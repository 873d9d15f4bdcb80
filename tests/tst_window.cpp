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

namespace {
/** A mouse event as the window system delivers it, made at a time of the monotonic clock. */
void mouse(QWidget *widget, QEvent::Type type, qint64 at)
{
    const QPoint middle = widget->rect().center();
    const bool down = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    QMouseEvent event(type, middle, widget->mapToGlobal(middle), Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    event.setTimestamp(quint64(at));
    QApplication::sendEvent(widget, &event);
}
}

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
        QTest::addColumn<QString>("press");
        QTest::addColumn<QByteArray>("added"); // the one file added, if any
        QTest::addColumn<QString>("onShow");
        QTest::newRow("double-click on Add") << "double add" << QByteArray("a.bmp") << "b.bmp";
        QTest::newRow("double-click on Skip") << "double skip" << QByteArray() << "b.bmp";
        QTest::newRow("click made before the image was painted") << "early" << QByteArray() << "a.bmp";
        QTest::newRow("image that failed to load") << "failed" << QByteArray("c.bmp") << "c.bmp";
        QTest::newRow("damaged photo, said so") << "damaged" << QByteArray("a.jpg") << "b.bmp";
        QTest::newRow("caption of 100,000 characters") << "long caption" << QByteArray("a.bmp") << "b.bmp";
    }

    void addWhatYouSee()
    {
        QFETCH(QString, press);
        QFETCH(QByteArray, added);
        QFETCH(QString, onShow);
        if (press == QLatin1String("failed"))
            writeFile(p->source(QStringLiteral("a.bmp")), "not a picture");
        if (press == QLatin1String("damaged"))
            QVERIFY(QFile::remove(p->source(QStringLiteral("a.bmp")))
                    && QFile::copy(fixture(QStringLiteral("truncated.jpg")), p->source(QStringLiteral("a.jpg"))));
        p->startBatch();
        QPushButton *add = p->form()->Command4;
        const qint64 t = QDeadlineTimer::current().deadline();
        QByteArray caption;
        if (press.startsWith(QLatin1String("double"))) {
            QPushButton *button = press == QLatin1String("double add") ? add : p->form()->Next;
            mouse(button, QEvent::MouseButtonPress, t);
            mouse(button, QEvent::MouseButtonRelease, t + 60);
            mouse(button, QEvent::MouseButtonPress, t + 150);
            mouse(button, QEvent::MouseButtonDblClick, t + 150);
            mouse(button, QEvent::MouseButtonRelease, t + 210);
        } else if (press == QLatin1String("early")) {
            mouse(add, QEvent::MouseButtonPress, t - 500);
            mouse(add, QEvent::MouseButtonRelease, t - 440);
        } else if (press == QLatin1String("failed")) {
            QVERIFY(p->messages().isEmpty()); // no box per file: told in the preview, Skip ready to press
            QCOMPARE(p->form()->PicBox->loadingText(), QStringLiteral("Error loading image\na.bmp"));
            QCOMPARE(p->form()->focusWidget(), p->form()->Next);
            QVERIFY(!add->isEnabled());
            p->add();
            QCOMPARE(p->shown(), QStringLiteral("a.bmp"));
            p->skip();
            p->skip();
            p->add();
        } else if (press == QLatin1String("damaged")) {
            QCOMPARE(p->form()->lblDamaged->text(), QStringLiteral("Damaged: only part of this photo could be read"));
            QTest::mouseClick(add, Qt::LeftButton);
        } else if (press == QLatin1String("long caption")) {
            caption = QByteArray(99'999, 'x') + '!';
            p->form()->txtCaption->insert(QString::fromLatin1(caption)); // as a paste does
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
        QCOMPARE(form->windowTitle(), QStringLiteral("Noël – Fotoweave"));
        QCOMPARE(form->lblSizeBefore->text(), QStringLiteral("40 × 30 px, 3.7 kB"));

        QTest::keyClicks(form->txtCaption, QStringLiteral("red"));
        QTest::keyClick(form->txtCaption, Qt::Key_Return);
        QVERIFY(waitForPreview());
        QCOMPARE(status(), QStringLiteral("2 of 3 · b Café à Noël %1.bmp · 1 added"));
        QCOMPARE(form->lblSizeBefore->text(), QStringLiteral("30 × 40 px, 3.7 kB"));
        QTest::keyClick(form->txtCaption, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form->txtCaption->text(), QString()); // the last photo's caption stays with it

        QTest::keyClick(form->txtCaption, Qt::Key_Left, Qt::AltModifier);
        QVERIFY(waitForPreview());
        QCOMPARE(p->shown(), QStringLiteral("a.bmp"));
        QCOMPARE(form->txtCaption->selectedText(), QStringLiteral("red")); // put back, ready to be corrected
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
        QCOMPARE(form->windowTitle(), QStringLiteral("Fotoweave"));
        QCOMPARE(status(), QString());
        QCOMPARE(form->lblSizeBefore->text(), QString());
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
        p->chooseFolders(p->source(), p->target());
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
        QTest::addColumn<QString>("way");
        QTest::addColumn<QByteArray>("caption"); // null: nothing added
        QTest::newRow("Exit button") << "button" << QByteArray("kept");
        QTest::newRow("File > Exit") << "menu" << QByteArray("kept");
        QTest::newRow("File > Exit, no slide") << "menu" << QByteArray();
        QTest::newRow("closing the window") << "window" << QByteArray("kept");
        QTest::newRow("File > Close") << "close" << QByteArray("kept");
        QTest::newRow("File > Close, no slide") << "close" << QByteArray();
    }

    void everyWayOut()
    {
        QFETCH(QString, way);
        QFETCH(QByteArray, caption);
        p->startBatch();
        if (!caption.isNull())
            p->add(QString::fromLatin1(caption));
        if (way == QLatin1String("button"))
            QTest::mouseClick(p->form()->Command1, Qt::LeftButton);
        else if (way == QLatin1String("menu"))
            p->form()->mnuExit->trigger();
        else if (way == QLatin1String("close"))
            p->form()->mnuClose->trigger();
        else
            p->form()->close();
        QCOMPARE(p->platform().programEnds, way == QLatin1String("close") ? 0 : 1);
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
