// SPDX-License-Identifier: MIT
#include "windowprogram.h"

#include "core/general.h"
#include "core/translations.h"
#include "modes/statustexts.h"
#include "ui/form2.h"

#include <QtWidgets>
#include <QtTest>

// locale: the user's, in this process; language: LANGUAGE for the command line, with LANG=de_DE.UTF-8; texts: Skip,
// File > Open, a message, the status bar's summary, the usage line, Qt's own Cancel, the guide F1 opens.
struct Speech { QString locale, language; QStringList texts; };

/** Texts of every layer in each language: a missing tr(), or a .qm not built beside the program, shows here. */
class tst_Languages : public QObject
{
    Q_OBJECT
private slots:
    void speaks_data();
    void speaks()
    {
        QFETCH(Speech, speech);
        const auto &[locale, language, texts] = speech;
        Translations::install(QStringLiteral(FOTOWEAVE_PROGRAM_DIR), QLocale(locale));
        WindowProgram program;
        objMediator->startBatch(false, false); // no source folder chosen
        QLocale::setDefault(QLocale(locale));
        program.setTemplate("UsersGuide.htm", "guide");
        program.setTemplate("UsersGuide.de.htm", "Handbuch");
        objMediator->openUserGuide();
        QProcess cli; // the command line, in the language its environment asks for (a name given again wins)
        cli.setEnvironment(QProcess::systemEnvironment() << "LANG=de_DE.UTF-8" << "LANGUAGE=" + language
                           << "LC_ALL=" + (locale == QLatin1String("C") ? locale : QString()));
        cli.start(QStringLiteral(FOTOWEAVE_PROGRAM), {QStringLiteral("--help")});
        QVERIFY(cli.waitForFinished());

        QCOMPARE(QList({program.form()->Next->text(), program.form()->mnuOpen->text(), program.messages().value(0),
                        StatusTexts::summary(2, 3, QStringLiteral("/p/SlideShow.htm"), 5),
                        QString::fromUtf8(cli.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0),
                        QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text(),
                        QFileInfo(program.platform().openedDocuments.value(0)).fileName()}), texts);
    }
};

void tst_Languages::speaks_data()
{
    QTest::addColumn<Speech>("speech");
    const QStringList english{"&Skip", "&Open", "Source Folder does not exist!",
                              "2 of 3 added to /p/SlideShow.htm; the show holds 5 slides", "Usage: fotoweave [COMMAND]", "Cancel", "UsersGuide.htm"};
    QTest::newRow("en first") << Speech{"en", "en:de", english};
    QTest::newRow("C") << Speech{"C", "de", english}; // LANGUAGE does not count in a C locale
    QTest::newRow("de") << Speech{"de", "de", {"Über&springen", "Ö&ffnen", "Der Quellordner existiert nicht!",
        "2 von 3 zu /p/SlideShow.htm hinzugefügt; die Diashow enthält 5 Dias", "Aufruf: fotoweave [BEFEHL]",
        "Abbrechen", "UsersGuide.de.htm"}};
    QTest::newRow("fr, region") << Speech{"fr_CA", "fr_CA:de", {"&Passer", "&Ouvrir",
        "Le dossier source n’existe pas\u00a0!", "2 sur 3 ajoutées à /p/SlideShow.htm\u00a0; le diaporama contient 5 diapositives",
        "Utilisation\u00a0: fotoweave [COMMANDE]", "Annuler", "UsersGuide.htm"}}; // no guide in French here
}

QTEST_MAIN(tst_Languages)
#include "tst_languages.moc"
