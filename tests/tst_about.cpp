// SPDX-License-Identifier: MIT
// The about box and its way to the system information program.
#include "testsupport.h"

#include "ui/form2.h"
#include "ui/frmabout.h"

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

namespace {
const QString FirstKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH");
const QString SecondKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO");
const QString Unavailable = QStringLiteral("System Information Is Unavailable At This Time");
}

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_program = std::make_unique<TestProgram>(true); }
    void cleanup() { m_program.reset(); }

    void showsTitleVersionAndDescription()
    {
        m_program->form()->mnuAbout->trigger();
        frmAbout *about = frmAbout::instance();
        QVERIFY(about->isVisible());
        QVERIFY(!about->isModal());
        QCOMPARE(about->windowTitle(), QStringLiteral("About Fotoweave"));
        QCOMPARE(about->lblTitle->text(), QStringLiteral("Fotoweave"));
        QCOMPARE(about->lblVersion->text(), QStringLiteral("Version 1.0.0"));
        QCOMPARE(about->lblDescription->text(), QStringLiteral(" Creates Fotoweaves"));
        QVERIFY(about->lblDisclaimer->text().isEmpty());
        QCOMPARE(about->cmdSysInfo->text(), QStringLiteral("&System Info..."));
        QCOMPARE(about->cmdOK->text(), QStringLiteral("OK"));
    }

    void okUnloadsAndTheNextOpeningLoadsAfresh()
    {
        m_program->form()->mnuAbout->trigger();
        QPointer<frmAbout> first = frmAbout::instance();
        first->lblTitle->setText(QStringLiteral("scribbled"));
        QTest::mouseClick(first->cmdOK, Qt::LeftButton);
        QTRY_VERIFY(!first);
        m_program->form()->mnuAbout->trigger();
        QCOMPARE(frmAbout::instance()->lblTitle->text(), QStringLiteral("Fotoweave"));
    }

    void systemInformation_data()
    {
        QTest::addColumn<bool>("first");
        QTest::addColumn<bool>("second");
        QTest::addColumn<bool>("programThere");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<QString>("started");
        QTest::newRow("neither key") << false << false << false << true << QString();
        QTest::newRow("first key") << true << false << false << true << QStringLiteral("C:\\Tools\\msinfo32.exe");
        QTest::newRow("second key, program there") << false << true << true << true
                                                   << QStringLiteral("C:\\Shared\\MSINFO32.EXE");
        QTest::newRow("second key, program missing") << false << true << false << true << QString();
        QTest::newRow("program fails to start") << true << false << false << false
                                                << QStringLiteral("C:\\Tools\\msinfo32.exe");
    }

    void systemInformation()
    {
        QFETCH(bool, first);
        QFETCH(bool, second);
        QFETCH(bool, programThere);
        QFETCH(bool, starts);
        QFETCH(QString, started);
        ScriptedPlatform &platform = m_program->platform();
        if (first)
            platform.registry.insert(FirstKey, {1, QStringLiteral("C:\\Tools\\msinfo32.exe") + QChar(u'\0')});
        if (second)
            platform.registry.insert(SecondKey, {1, QStringLiteral("C:\\Shared")});
        if (programThere)
            platform.existingFiles.insert(QStringLiteral("C:\\Shared\\MSINFO32.EXE"));
        platform.programsStart = starts;

        m_program->form()->mnuAbout->trigger();
        QTest::mouseClick(frmAbout::instance()->cmdSysInfo, Qt::LeftButton);
        QCOMPARE(platform.startedPrograms, started.isEmpty() ? QStringList() : QStringList{started});
        const bool shown = started.isEmpty() || !starts;
        QCOMPARE(platform.messages, shown ? QStringList{Unavailable} : QStringList());
    }

    void keyValuesAreReadByType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("passedIn");
        QTest::addColumn<QString>("expected");
        QTest::newRow("string with trailing zero") << 1 << QStringLiteral("abc") + QChar(u'\0') << QString()
                                                   << QStringLiteral("abc");
        QTest::newRow("string without") << 1 << QStringLiteral("abc") << QString() << QStringLiteral("abc");
        QTest::newRow("number") << 4 << QString(QChar(0x1F)) + QChar(0x2A) + QChar(0x0) << QString()
                                << QStringLiteral("&h2A1F");
        QTest::newRow("number after text") << 4 << QString(QChar(0xB)) << QStringLiteral("x")
                                           << QStringLiteral("&hxB");
        QTest::newRow("other type") << 3 << QStringLiteral("bytes") << QStringLiteral("kept")
                                    << QStringLiteral("kept");
    }

    void keyValuesAreReadByType()
    {
        QFETCH(int, type);
        QFETCH(QString, data);
        QFETCH(QString, passedIn);
        QFETCH(QString, expected);
        m_program->platform().registry.insert(QStringLiteral("K|V"), {type, data});
        QString value = passedIn;
        QVERIFY(frmAbout::instance()->GetKeyValue(frmAbout::HKEY_LOCAL_MACHINE, QStringLiteral("K"),
                                                  QStringLiteral("V"), value));
        QCOMPARE(value, expected);

        QString missing = QStringLiteral("left over");
        QVERIFY(!frmAbout::instance()->GetKeyValue(frmAbout::HKEY_LOCAL_MACHINE, QStringLiteral("K"),
                                                   QStringLiteral("nothing"), missing));
        QCOMPARE(missing, QString());
    }

private:
    std::unique_ptr<TestProgram> m_program;
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
