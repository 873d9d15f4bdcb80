// SPDX-License-Identifier: MIT
// A held key adds or skips one photo, as the real X server sends its repeats
// while the machine is busy (run under Xvfb by xserver.sh, keys by xdotool).
#include "windowprogram.h"

#include "core/general.h"
#include "document/slideshow.h"
#include "ui/form2.h"
#include "ui/fullscreenpreview.h"

#include <QtWidgets>
#include <QtTest>

/** Where the key is held: "caption" (the caption box), "add" (a focused Add) or "full screen"; the slides it adds. */
struct Hold { QString where, key; int added; }; // the key as xdotool names it

class TestHeldKeys : public QObject
{
    Q_OBJECT

private slots:
    void heldKeyActsOnce_data()
    {
        QTest::addColumn<Hold>("hold");
        QTest::newRow("Enter in the caption box") << Hold{"caption", "Return", 1};
        QTest::newRow("Enter on a focused Add") << Hold{"add", "Return", 1};
        QTest::newRow("Enter in full screen") << Hold{"full screen", "Return", 1};
        QTest::newRow("Alt+S, Skip's mnemonic") << Hold{"caption", "alt+s", 0};
    }

    void heldKeyActsOnce()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs a real X server: run by xserver.sh");
        QFETCH(Hold, hold);
        WindowProgram p;
        for (const char name : QByteArray("abcdef"))
            writeImage(p.source(QLatin1Char(name) + QStringLiteral(".bmp")), QSize(40, 30));
        p.startBatch();
        Form2 *form = p.form();
        QVERIFY(QTest::qWaitForWindowActive(form)); // the batch's start makes it so, with no window manager
        QCOMPARE(QApplication::focusWidget(), form->txtCaption);
        if (hold.where == QLatin1String("add")) {
            form->Command4->setFocus();
        } else if (hold.where == QLatin1String("full screen")) {
            QTest::keyClick(form->txtCaption, Qt::Key_F11);
            QVERIFY(QTest::qWaitForWindowActive(form->fullScreenPreview()));
            QTRY_VERIFY(!form->fullScreenPreview()->image().isNull());
        }
        QTest::qWait(200);

        // Two loops keep both cores busy while the key is held, so X's repeats arrive one event at a time.
        QProcess held;
        held.start("sh", {"-c", QStringLiteral("for n in 1 2; do timeout 2 sh -c 'while :; do :; done' & done; "
                                               "xdotool keydown %1; sleep 1.5; xdotool keyup %1; wait").arg(hold.key)});
        QTRY_COMPARE_WITH_TIMEOUT(held.state(), QProcess::NotRunning, 10000);
        QVERIFY(waitForPreview());
        QTest::qWait(300); // the last repeats and the release are handled

        QCOMPARE(int(objMediator->slideShow().slideCount()), hold.added);
        QCOMPARE(p.shown(), QStringLiteral("b.bmp"));
    }
};

QTEST_MAIN(TestHeldKeys)
#include "tst_heldkeys.moc"
