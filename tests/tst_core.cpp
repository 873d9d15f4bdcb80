// SPDX-License-Identifier: MIT
// Start-up, the coordinator, its record of folders, the mode machine and the
// main window's own handlers.
#include "testsupport.h"

#include "commands/cmd2.h"
#include "commands/command.h"
#include "core/general.h"
#include "core/source.h"
#include "document/slideshow.h"
#include "document/textstream.h"
#include "modes/state2.h"
#include "modes/state3.h"
#include "modes/statemanager.h"
#include "ui/form2.h"
#include "ui/picturebox.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

namespace {
/** A command that records whether it is still alive. */
class Probe : public Command
{
public:
    explicit Probe(bool *alive) : m_alive(alive) { *m_alive = true; }
    ~Probe() override { *m_alive = false; }
    void Execute() override {}

private:
    bool *m_alive;
};

bool isIdle(Form2 *form)
{
    return !form->Next->isVisibleTo(form) && !form->Command4->isEnabled() && !form->btnView->isVisibleTo(form)
        && !form->btnView->isEnabled() && form->PicBox->picture().isNull();
}

QRgb centre(PictureBox *box)
{
    return box->drawing().pixel(box->drawing().width() / 2, box->drawing().height() / 2);
}
}

class TestCore : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { m_program.reset(); }

    void sourceRecordStoresCopiesUnchanged()
    {
        Source record;
        QCOMPARE(record.GetSourceFolder(), QString());
        QCOMPARE(record.GetSourceFile(), QString());
        QCOMPARE(record.GetTgtFolder().typeId(), QMetaType::QString);
        QCOMPARE(record.GetTgtFile().typeId(), QMetaType::QString);
        QCOMPARE(record.GetTgtFolder().toString(), QString());

        QString folder = QStringLiteral("  /photos/summer  ");
        record.SetSourceFolder(folder);
        record.SetTgtFolder(folder);
        record.SetSourceFile(folder);
        record.SetTgtFile(folder);
        folder[3] = QLatin1Char('X');
        folder.append(QStringLiteral("changed"));
        for (const QString &stored : {record.GetSourceFolder(), record.GetTgtFolder().toString(),
                                      record.GetSourceFile(), record.GetTgtFile().toString()})
            QCOMPARE(stored, QStringLiteral("  /photos/summer  "));
    }

    void startUpShowsTheIdleWindow()
    {
        m_program = std::make_unique<TestProgram>(true);
        Form2 *form = m_program->form();
        QVERIFY(form->isVisible());
        QCOMPARE(form->windowTitle(), QStringLiteral("Fotoweave"));
        QVERIFY(isIdle(form));
        QCOMPARE(centre(form->PicBox), qRgb(192, 192, 192));
        QCOMPARE(lngSlideCount, 0);
        QCOMPARE(objMediator->GetTgtFolder(), QString());
        QCOMPARE(objMediator->GetTgtFile(), QString());
        QVERIFY(dynamic_cast<State3 *>(objMediator->stateManager()->current()));
    }

    void genericCommandsDoNothingWhenIdle()
    {
        m_program = std::make_unique<TestProgram>(true);
        writeImage(m_dir.filePath(QStringLiteral("a.jpg")), QSize(40, 40));
        objMediator->SetSourceFolder(m_dir.path());
        objMediator->SetTgtFolder(m_dir.path());
        QString text = QStringLiteral("anything");
        objMediator->Command1(text);
        objMediator->Command2(text);
        objMediator->Command3();
        QVERIFY(isIdle(m_program->form()));
        QVERIFY(m_program->platform().messages.isEmpty());
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("SlideShow.htm"))));
        QCOMPARE(objMediator->GetSourceFile(), QString());
    }

    void menusHaveNoShortcuts()
    {
        m_program = std::make_unique<TestProgram>(true);
        Form2 *form = m_program->form();
        QCOMPARE(form->centralWidget()->size(), QSize(605, 462)); // 9075 x 6930 twips
        QStringList menus;
        for (QAction *menu : form->menuBar()->actions()) {
            menus << menu->text();
            for (QAction *item : menu->menu()->actions()) {
                menus << QStringLiteral("  ") + item->text();
                QVERIFY(item->shortcut().isEmpty());
            }
        }
        QCOMPARE(menus, QStringList({QStringLiteral("&File"), QStringLiteral("  Open"), QStringLiteral("  Close"),
                                     QStringLiteral("  Exit"), QStringLiteral("Help"), QStringLiteral("  About"),
                                     QStringLiteral("  UserGuide")}));
    }

    void startersSetTheirConfigurations()
    {
        m_program = std::make_unique<TestProgram>(true);
        Form2 *form = m_program->form();
        form->PicBox->fillBox(QRectF(0, 0, 3000, 3000), Qt::white);

        lngSlideCount = 7;
        objMediator->StartStateTwo();
        QVERIFY(form->Next->isVisibleTo(form) && form->Next->isEnabled());
        QVERIFY(form->Command4->isEnabled());
        QVERIFY(!form->btnView->isVisibleTo(form) && !form->btnView->isEnabled());
        QCOMPARE(centre(form->PicBox), qRgb(192, 192, 192));
        QCOMPARE(lngSlideCount, 0);
        QVERIFY(dynamic_cast<State2 *>(objMediator->stateManager()->current()));

        form->PicBox->fillBox(QRectF(0, 0, 3000, 3000), Qt::white);
        lngSlideCount = 3;
        objMediator->StartStateFour();
        QVERIFY(form->Next->isVisibleTo(form));   // still shown, but
        QVERIFY(!form->Next->isEnabled());         // no longer usable
        QVERIFY(!form->Command4->isEnabled());
        QVERIFY(form->btnView->isVisibleTo(form) && form->btnView->isEnabled());
        QCOMPARE(centre(form->PicBox), qRgb(255, 255, 255)); // preview kept
        QCOMPARE(lngSlideCount, 3);
    }

    void closeDuringBatchRestoresIdleButKeepsTheBatch()
    {
        m_program = std::make_unique<TestProgram>(true);
        objMediator->SetTgtFolder(m_dir.path());
        objMediator->StartStateTwo();
        auto *batch = objMediator->stateManager()->current();
        CreateSlideShow(*objMediator);
        lngSlideCount = 2;

        m_program->form()->mnuClose->trigger();
        QVERIFY(isIdle(m_program->form()));
        QCOMPARE(lngSlideCount, 0);
        QCOMPARE(objMediator->stateManager()->current(), batch);
        QVERIFY(tsSlideShow && tsSlideShow->isOpen());
        QCOMPARE(objMediator->GetTgtFolder(), m_dir.path()); // folders are kept
    }

    void stateMachineForwardsToTheCurrentState()
    {
        m_program = std::make_unique<TestProgram>();
        StateManager *machine = objMediator->stateManager();
        State *two = machine->two();
        machine->SetStateTwo();
        machine->SetStateTwo();
        QCOMPARE(machine->current(), two);
        machine->SetStateThree();
        QCOMPARE(machine->current(), machine->three());
        machine->SetStateTwo();
        QCOMPARE(machine->current(), two); // the same object, queue and all
        machine->setStateOne();
        QCOMPARE(machine->current(), machine->one());
        machine->SetStateFour();
        QCOMPARE(machine->current(), machine->four());
        QVERIFY(machine->one() != machine->four());

    }

    void mediatorKeepsOnlyTheLatestCommands()
    {
        m_program = std::make_unique<TestProgram>();
        bool firstAlive = false;
        bool secondAlive = false;
        objMediator->registerCmd1(std::make_shared<Probe>(&firstAlive));
        QVERIFY(firstAlive);
        objMediator->registerCmd1(std::make_shared<Probe>(&secondAlive));
        QVERIFY(!firstAlive);
        QVERIFY(secondAlive);

        auto next = std::make_shared<Cmd2>();
        next->init(objMediator.get());
        QCOMPARE(objMediator->registeredCmd2().get(), static_cast<Command *>(next.get()));
        QVERIFY(secondAlive);
        objMediator->registerCmd1(nullptr);
        QVERIFY(!secondAlive);
    }

    void temporaryFolderIsKeptUpToANul_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("kept");
        QTest::newRow("plain") << QStringLiteral("/tmp/") << QStringLiteral("/tmp/");
        QTest::newRow("padded") << QStringLiteral("  /var/tmp/   ") << QStringLiteral("/var/tmp/");
        QTest::newRow("nul") << QStringLiteral("/tmp/") + QChar(u'\0') + QStringLiteral("junk")
                             << QStringLiteral("/tmp/");
        QTest::newRow("nothing") << QString() << QString();
    }

    void temporaryFolderIsKeptUpToANul()
    {
        QFETCH(QString, answer);
        QFETCH(QString, kept);
        m_program = std::make_unique<TestProgram>();
        m_program->platform().tempFolderAnswer = answer;
        objMediator->init();
        QCOMPARE(objMediator->GetTempFolder(), kept);
    }

    void userGuideOpensBesideTheProgram()
    {
        m_program = std::make_unique<TestProgram>(true);
        m_program->form()->mnuUserGuide->trigger();
        QCOMPARE(m_program->platform().openedDocuments,
                 QStringList{m_program->programFolder() + QStringLiteral("/UsersGuide.htm")});
        QVERIFY(m_program->platform().messages.isEmpty());
    }

    void everyWayOutEndsTheProgramOnce_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Exit button") << QStringLiteral("button");
        QTest::newRow("File > Exit") << QStringLiteral("menu");
        QTest::newRow("closing the window") << QStringLiteral("close");
    }

    void everyWayOutEndsTheProgramOnce()
    {
        QFETCH(QString, way);
        m_program = std::make_unique<TestProgram>(true);
        Form2 *form = m_program->form();
        if (way == QLatin1String("button"))
            QTest::mouseClick(form->Command1, Qt::LeftButton);
        else if (way == QLatin1String("menu"))
            form->mnuExit->trigger();
        else
            form->close();
        QCOMPARE(m_program->platform().programEnds, 1);
        QVERIFY(m_program->platform().messages.isEmpty());
    }

    void anUncaughtFailureIsShownAndEndsTheProgram()
    {
        m_program = std::make_unique<TestProgram>(true);
        objMediator->SetTgtFolder(m_dir.path());
        CreateSlideShow(*objMediator);
        General::runHandler([] { throw std::runtime_error("Disk on fire"); });
        QCOMPARE(m_program->platform().messages, QStringList{QStringLiteral("Disk on fire")});
        QCOMPARE(m_program->platform().programEnds, 1);
        QVERIFY(!tsSlideShow->isOpen()); // closed with what it held
        QVERIFY(readFile(m_dir.filePath(QStringLiteral("SlideShow.htm")))
                    .startsWith(TestProgram::shippedTemplate(QStringLiteral("Head.txt"))));

        General::runHandler([] {});
        QCOMPARE(m_program->platform().programEnds, 1);
    }

private:
    std::unique_ptr<TestProgram> m_program;
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestCore)
#include "tst_core.moc"
