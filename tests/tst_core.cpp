// SPDX-License-Identifier: MIT
// Start-up, the ways out, failures no handler expected and the about box.
#include "testsupport.h"

#include "core/general.h"
#include "document/slideshow.h"
#include "document/textstream.h"
#include "ui/form2.h"
#include "ui/frmabout.h"
#include "ui/picturebox.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestCore : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestProgram> p;

private slots:
    void init() { p = std::make_unique<TestProgram>(); }
    void cleanup() { p.reset(); }

    void startsIdle()
    {
        Form2 *form = p->form();
        QVERIFY(form->isVisible());
        QCOMPARE(form->windowTitle(), QStringLiteral("Fotoweave"));
        QVERIFY(!form->Next->isVisible() && !form->Command4->isEnabled() && !form->btnView->isVisible());
        form->mnuUserGuide->trigger();
        QCOMPARE(p->platform().openedDocuments, QStringList{p->programFolder() + QStringLiteral("/UsersGuide.htm")});
    }

    void everyWayOutEndsTheProgram()
    {
        QTest::mouseClick(p->form()->Command1, Qt::LeftButton);
        p->form()->mnuExit->trigger();
        p->form()->close();
        QCOMPARE(p->platform().programEnds, 3);
    }

    void anUncaughtFailureIsShownAndEndsTheProgram_data()
    {
        QTest::addColumn<bool>("standard");
        QTest::addColumn<QString>("message");
        QTest::newRow("std::exception") << true << "Disk on fire";
        QTest::newRow("anything else") << false << "An unexpected failure occurred.";
    }

    void anUncaughtFailureIsShownAndEndsTheProgram()
    {
        QFETCH(bool, standard);
        QFETCH(QString, message);
        objMediator->SetTgtFolder(p->target());
        CreateSlideShow(*objMediator);
        General::runHandler([standard] {
            if (standard)
                throw std::runtime_error("Disk on fire");
            throw 42;
        });
        QCOMPARE(p->messages(), QStringList{message});
        QCOMPARE(p->platform().programEnds, 1);
        QVERIFY(!tsSlideShow->isOpen());
        General::runHandler([] {});
        QCOMPARE(p->platform().programEnds, 1);
    }

    void aboutBox()
    {
        p->form()->mnuAbout->trigger();
        frmAbout *about = frmAbout::instance();
        QCOMPARE(about->windowTitle(), QStringLiteral("About Fotoweave"));
        QCOMPARE(about->lblTitle->text(), QStringLiteral("Fotoweave"));
        QCOMPARE(about->lblVersion->text(), QStringLiteral("Version " FOTOWEAVE_VERSION));
        QCOMPARE(about->lblDescription->text(), QStringLiteral(" Creates Fotoweaves"));
        QTest::mouseClick(about->cmdSysInfo, Qt::LeftButton); // this desktop has no system information program
        QCOMPARE(p->messages(), QStringList{"System Information Is Unavailable At This Time"});
    }
};

QTEST_MAIN(TestCore)
#include "tst_core.moc"
