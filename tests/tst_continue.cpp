// SPDX-License-Identifier: MIT
// "Start" on a target that already holds a slide show: continue it, replace
// it or leave it alone; the templates and the target's lock come first.
#include "testsupport.h"

#include "document/showrecord.h"
#include "document/slideshowreader.h"
#include "document/slideshowtemplates.h"
#include "core/general.h"

#include <QtGui>
#include <QtTest>

#include <sys/stat.h>

namespace {
const QByteArray Head = "<head>\r\n";

const QStringList ContinueReplaceCancel{QStringLiteral("Continue"), QStringLiteral("Replace"), QStringLiteral("Cancel")};

/** A page in the target, what Continue keeps of it, the photos beside it, its name, the page after adding c.jpg, and what the question says. */
struct Show { QByteArray page, kept; QStringList photos; QString name; QByteArray continued; QString asked = {}; };
}

class TestContinue : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestProgram> p;
    QStringList targetFiles() const { return QDir(p->target()).entryList(QDir::Files | QDir::Hidden); }

private slots:
    void init() { p = std::make_unique<TestProgram>(); }
    void cleanup() { p.reset(); }

    // The source holds the show's photos and c.jpg; only c.jpg is new.
    void continuingAShow_data()
    {
        QTest::addColumn<Show>("show");

        const QByteArray two = Head + entry(1, "a.jpg", "Red") + entry(2, "b.jpg", "It\\'s \\x3C3");
        const QStringList abc{"a.jpg", "b.jpg", "c.jpg"};
        const QByteArray three = two + entry(3, "c.jpg", "new") + pageEnd("a.jpg", "My Slide Show");
        QTest::newRow("finished") << Show{two + pageEnd("a.jpg", "Tom &amp; Jerry"), two, abc, "Tom & Jerry",
                                          two + entry(3, "c.jpg", "new") + pageEnd("a.jpg", "Tom &amp; Jerry")};
        QTest::newRow("cut short while completing") << Show{two + "<midd", two, abc, "My Slide Show", three};
        const QString cut = "\"<page>\" holds a slide show that was cut short at its end, as a crash or a full "
                                                   "disk leaves a page. Its 2 complete slides are kept.\n\nContinue it";
        QTest::newRow("cut inside the last entry")
            << Show{two + "\r\n\r\nPicture[3]  = 'd.jpg'; \r\nCapt", two, abc, "My Slide Show", three, cut};
        QTest::newRow("cut inside the closing rows, padded with NULs")
            << Show{two + "<middle>\r\n\r\n<TD WIDTH='350' HEIGHT='280' COLSPAN='3'> <IMG SRC='a.jpg' NAME='Pict" + QByteArray(4096, '\0'),
                    two, abc, "My Slide Show", three, cut};
        const QByteArray escaped = Head + entry(1, "Tom\\'s #1.jpg", "back\\\\slash \\'q\\' 1\\r\\n2 \\x3C/script> \xc3\xbc");
        QTest::newRow("escaped captions and names") << Show{escaped, escaped, {"Tom's #1.jpg", "c.jpg"}, "My Slide Show",
                                                            escaped + entry(2, "c.jpg", "new") + pageEnd("Tom%27s%20%231.jpg", "My Slide Show")};
        const QByteArray older = "<html><script>var Picture = [], Caption = [];\r\n" + entry(1, "a.jpg", "Old one");
        // Pages written with the templates of an earlier version are continued all the same.
        QTest::newRow("a head from other templates")
            << Show{older + "</script><table><tr>\r\n\r\n<TD WIDTH='350' HEIGHT='280' COLSPAN='3'> <IMG SRC='a.jpg' NAME='PictureBox' "
                            "WIDTH='350' HEIGHT='280'> </TD> </TR><TR>\r\n<TD ID='CaptionBox' CLASS='Caption' ALIGN='center' "
                            "COLSPAN='3'> Old </TD></TR>\r\n\r\n\r\n</table></html>\r\n\r\n",
                    older, {"a.jpg", "c.jpg"}, "Old", older + entry(2, "c.jpg", "new") + pageEnd("a.jpg", "Old")};
        const QByteArray web = Head + entry(1, "a.jpg", "Red") + "Thumbnail[1] = 'SlideShow-thumbnails/a.jpg';\r\n";
        QTest::newRow("web-sized, with thumbnails")
            << Show{web + pageEnd("a.jpg", "Web"), web, {"a.jpg", "c.jpg"}, "Web",
                    web + entry(2, "c.jpg", "new") + "Thumbnail[2] = 'SlideShow-thumbnails/c.jpg';\r\n" + pageEnd("a.jpg", "Web")};
        QTest::newRow("no slides yet")
            << Show{Head + pageEnd("", "Empty"), Head, {"c.jpg"}, "Empty", Head + entry(1, "c.jpg", "new") + pageEnd("c.jpg", "Empty")};
    }

    void continuingAShow()
    {
        QFETCH(Show, show);
        for (const QString &photo : show.photos)
            writeImage(p->source(photo));
        writeFile(p->pagePath(), show.page);

        p->chooseFolders(p->source(), p->target());
        p->platform().questionAnswers.enqueue(QStringLiteral("Continue"));
        p->start();
        QCOMPARE(p->platform().questionChoices, QList<QStringList>{ContinueReplaceCancel});
        QVERIFY2(p->platform().questions[0].startsWith(QString(show.asked).replace(QStringLiteral("<page>"), p->pagePath())), qPrintable(p->platform().questions[0]));
        QCOMPARE(p->page(), show.kept); // rewritten without its closing part, nothing else
        QCOMPARE(p->listed().size(), 1);
        QCOMPARE(p->shown(), QStringLiteral("c.jpg"));
        QCOMPARE(objMediator->showName(), show.name);

        p->add(QStringLiteral("new"));
        QCOMPARE(p->messages().size(), 1);
        QVERIFY(p->messages()[0].startsWith(QStringLiteral("Last image reached.\n1 of 1 added")));
        QCOMPARE(p->page(), show.continued);
        QCOMPARE(targetFiles(), QStringList({".SlideShow.htm.state", "c.jpg", "SlideShow.htm"}));
    }

    // A photo named like a slide of the show is compared with the show's copy:
    // the same photo is left out, another is offered under a free name and
    // never replaces the copy. Each photo shown is added with its name as caption.
    void aPhotoOfATakenName_data()
    {
        QTest::addColumn<QString>("copy");      // the show's a.jpg in the target: "same", "same size", "other"; "web" for a web-sized show
        QTest::addColumn<QString>("newName");   // the name the source's a.jpg is added under; empty when left out
        QTest::addColumn<QByteArray>("continued");
        const QByteArray kept = Head + entry(1, "a.jpg", "Old"), end = entry(3, "c.jpg", "c.jpg") + pageEnd("a.jpg", "Show");
        QTest::newRow("the same photo is left out") << "same" << "" << kept + entry(2, "c.jpg", "c.jpg") + pageEnd("a.jpg", "Show");
        QTest::newRow("another photo of the same size") << "same size" << "a-2.jpg" << kept + entry(2, "a-2.jpg", "a.jpg") + end;
        QTest::newRow("another photo, a-2.jpg taken") << "other, a-2.jpg" << "a-3.jpg" << kept + entry(2, "a-3.jpg", "a.jpg") + end;
        const QByteArray beside = Head + entry(1, "SlideShow-photos/a.jpg", "Old") + "Thumbnail[1] = 'SlideShow-thumbnails/a.jpg';\r\n";
        QTest::newRow("so does one beside its originals")
            << "web, photo folder" << "" << beside + entry(2, "c.jpg", "c.jpg") + "Thumbnail[2] = 'SlideShow-thumbnails/c.jpg';\r\n"
                   + pageEnd("SlideShow-photos/a.jpg", "Show");
    }

    void aPhotoOfATakenName()
    {
        QFETCH(QString, copy);
        QFETCH(QString, newName);
        QFETCH(QByteArray, continued);
        writeImage(p->source(QStringLiteral("a.jpg")), QSize(20, 20), Qt::red);
        writeImage(p->source(QStringLiteral("c.jpg")), QSize(20, 20), Qt::green);
        const QByteArray photo = readFile(p->source(QStringLiteral("a.jpg")));
        QByteArray theirs = copy == QLatin1String("same") ? photo : QByteArray("the show's own a.jpg");
        if (copy == QLatin1String("same size"))
            theirs = QByteArray(photo).replace(photo.size() - 10, 1, "\x55");
        writeFile(p->target(QStringLiteral("a.jpg")), theirs);
        if (copy.contains(QLatin1String("a-2.jpg")))
            writeFile(p->target(QStringLiteral("a-2.jpg")), "the user's a-2.jpg");
        const QByteArray thumbnail = copy.startsWith(QLatin1String("web")) ? "Thumbnail[1] = 'SlideShow-thumbnails/a.jpg';\r\n" : "";
        const QByteArray held = copy.endsWith(QLatin1String("photo folder")) ? "SlideShow-photos/a.jpg" : "a.jpg";
        writeFile(p->pagePath(), Head + entry(1, held, "Old") + thumbnail + pageEnd(held, "Show"));

        p->chooseFolders(p->source(), p->target());
        p->platform().questionAnswers.enqueue(QStringLiteral("Continue"));
        p->start();
        QCOMPARE(p->listed().size(), newName.isEmpty() ? 1 : 2);
        QStringList shown;
        while (p->canAdd()) {
            shown << p->shown();
            p->add(p->shown());
        }
        QCOMPARE(shown.join(QLatin1Char(' ')), newName.isEmpty() ? QStringLiteral("c.jpg") : QStringLiteral("a.jpg c.jpg"));
        QCOMPARE(p->page(), continued);
        QCOMPARE(readFile(p->target(QStringLiteral("a.jpg"))), theirs);
        if (!newName.isEmpty())
            QCOMPARE(readFile(p->target(newName)), photo);
        if (copy.contains(QLatin1String("a-2.jpg")))
            QCOMPARE(readFile(p->target(QStringLiteral("a-2.jpg"))), QByteArray("the user's a-2.jpg"));
    }

    // Cut at every byte, bare or padded with NULs as a crash leaves a page, a
    // finished page of two slides is continued with the slides it holds whole.
    void everyCutPointIsContinued()
    {
        const QByteArray e1 = entry(1, "a.jpg", "Red"), e2 = entry(2, "b.jpg", "It\\'s"), closing = pageEnd("a.jpg", "Show");
        const QByteArray page = Head + e1 + e2 + closing;
        const qsizetype named = page.size() - qsizetype(strlen("\r\n\r\n<end>\r\n\r\n")); // the caption row is whole from here
        const SlideShowTemplates templates{"<head>", "<middle>", "<end>"};
        for (const bool padded : {false, true}) {
            for (qsizetype at = 1; at <= page.size(); ++at) {
                const QByteArray cut = page.left(at) + (padded ? QByteArray(4096, '\0') : QByteArray());
                const QByteArray where = QByteArray::number(at) + (padded ? " + NULs: " : ": ") + cut.left(at).toPercentEncoding(" <>'=[];");
                const int whole = at >= Head.size() + e1.size() + e2.size() ? 2 : at >= Head.size() + e1.size() ? 1 : 0;
                const bool boundary = at == Head.size() || at == Head.size() + e1.size() || at == Head.size() + e1.size() + e2.size();
                SlideShowReader show;
                QVERIFY2(show.parse(cut, templates), where + " refused: " + show.reason().toUtf8());
                QVERIFY2(show.slides().size() == whole, where);
                QVERIFY2(show.headAndEntries() == Head + e1.left(whole >= 1 ? e1.size() : 0) + e2.left(whole >= 2 ? e2.size() : 0), where);
                QVERIFY2(show.name().has_value() == (at >= named), where);
                QVERIFY2(show.cutShort() == (padded || !(boundary || at >= named)), where);
            }
        }
    }

    // The record beside the page: written and read back; what is not a record
    // of this version is read as no record, so nothing is remembered or deleted.
    void theShowsRecord_data()
    {
        QTest::addColumn<QByteArray>("text"); // null: no record
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QString>("made");    // the names it lets go, joined by spaces
        const QByteArray good = "{\"made\": [\"c.jpg\", \"SlideShow-thumbnails/c.jpg\"], \"skipped\": [{\"name\": \"b.jpg\", "
                                "\"size\": \"12\", \"modified\": \"2024-05-01T10:00:00.000Z\"}], \"version\": 1, \"webSized\": true}";
        QTest::newRow("missing") << QByteArray() << false << "";
        QTest::newRow("as written") << good << true << "c.jpg SlideShow-thumbnails/c.jpg";
        QTest::newRow("cut short") << good.left(40) << false << "";
        QTest::newRow("a later version") << QByteArray(good).replace("\"version\": 1", "\"version\": 2") << false << "";
        QTest::newRow("a path to elsewhere") << QByteArray(good).replace("\"c.jpg\"", "\"../c.jpg\"") << false << "";
        QTest::newRow("a size that is no number") << QByteArray(good).replace("\"12\"", "\"12k\"") << false << "";
    }

    void theShowsRecord()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, loaded);
        QFETCH(QString, made);
        if (!text.isNull())
            writeFile(p->target(QStringLiteral(".SlideShow.htm.state")), text);
        const ShowRecord record = ShowRecord::load(p->pagePath());
        QCOMPARE(record.loaded(), loaded);
        QCOMPARE(record.webSized && record.wasSkipped({"b.jpg", 12, QDateTime(QDate(2024, 5, 1), QTime(12, 0), QTimeZone(7200))}), loaded);
        QCOMPARE(record.made.join(QLatin1Char(' ')), made);
        if (!loaded)
            return;
        QVERIFY(record.save(p->pagePath()));
        QCOMPARE(readFile(p->target(QStringLiteral(".SlideShow.htm.state"))),
                 "{\n    \"made\": [\n        \"c.jpg\",\n        \"SlideShow-thumbnails/c.jpg\"\n    ],\n    \"skipped\": [\n        {\n"
                 "            \"modified\": \"2024-05-01T10:00:00.000Z\",\n            \"name\": \"b.jpg\",\n            \"size\": \"12\"\n"
                 "        }\n    ],\n    \"version\": 1,\n    \"webSized\": true\n}\n");
        QCOMPARE(targetFiles(), QStringList{".SlideShow.htm.state"}); // no temporary file left
    }

    // A second sitting: a.jpg and c.jpg were added, b.jpg and d.jpg skipped, then
    // e.jpg joined the source. Steps: - skips, < goes back, ! first loses the
    // record, = first points slide 1 at c.jpg too; then every photo offered is
    // added with its name as caption. Nothing of that show stays for the next one.
    void aSecondSitting_data()
    {
        QTest::addColumn<bool>("web");        // the first sitting's size; the second asks for the other
        QTest::addColumn<bool>("offerAgain");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("status");  // after the steps
        QTest::addColumn<QString>("told");    // after "Last image reached."; <page> for its path
        QTest::addColumn<QByteArray>("entries");
        const auto e = [](int n, const char *name) { return entry(n, name, name); };
        const QByteArray ace = e(1, "a.jpg") + e(2, "c.jpg") + e(3, "e.jpg");
        const QString one = "\n1 of 1 added to <page>; the show holds 3 slides";
        QTest::newRow("skipped photos stay skipped") << false << false << "" << "1 of 1 · e.jpg · 0 added, 2 in the show" << one << ace;
        QTest::newRow("offered again") << false << true << "--" << "3 of 3 · e.jpg · 0 added, 2 in the show" << "\n1 of 3" + one.mid(7) << ace;
        QTest::newRow("Back takes the show's last slide") << false << false << "<" << "1 of 2 · c.jpg · 0 added, 1 in the show" << "\n2 of 2" + one.mid(7) << ace;
        QTest::newRow("no record: nothing remembered, nothing deleted") << false << false << "!<" << "1 of 4 · c.jpg · 0 added, 1 in the show"
            << "\n4 of 4 added to <page>; the show holds 5 slides" << e(1, "a.jpg") + e(2, "c.jpg") + e(3, "b.jpg") + e(4, "d.jpg") + e(5, "e.jpg");
        QTest::newRow("Back keeps a copy another slide uses") << false << false << "=<" << "1 of 3 · c.jpg · 0 added, 1 in the show"
            << "\n3 of 3 added to <page>; the show holds 4 slides" << entry(1, "c.jpg", "a.jpg") + e(2, "c.jpg") + e(3, "a.jpg") + e(4, "e.jpg");
        const auto t = [](int n, const char *name) { return "Thumbnail[" + QByteArray::number(n) + "] = 'SlideShow-thumbnails/" + name + "';\r\n"; };
        QTest::newRow("web-sized stays web-sized") << true << false << "" << "1 of 1 · e.jpg · 0 added, 2 in the show" << one
                                                   << e(1, "a.jpg") + t(1, "a.jpg") + e(2, "c.jpg") + t(2, "c.jpg") + e(3, "e.jpg") + t(3, "e.jpg");
    }

    void aSecondSitting()
    {
        QFETCH(bool, web);
        QFETCH(bool, offerAgain);
        QFETCH(QString, steps);
        QFETCH(QString, status);
        QFETCH(QString, told);
        QFETCH(QByteArray, entries);
        for (const char *name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"})
            writeImage(p->source(QLatin1String(name)));
        p->setWebSized(web);
        p->startBatch();
        objMediator->setShowName(QStringLiteral("Old Show"));
        for (const QChar step : QStringLiteral("+-+-"))
            step == u'+' ? p->add(p->shown()) : p->skip();
        writeImage(p->source(QStringLiteral("e.jpg")));
        if (steps.startsWith(u'!'))
            QVERIFY(QFile::remove(p->target(QStringLiteral(".SlideShow.htm.state"))));
        if (steps.startsWith(u'='))
            writeFile(p->pagePath(), p->page().replace("Picture[1]  = 'a.jpg'", "Picture[1]  = 'c.jpg'"));

        p->setWebSized(!web);
        p->setOfferSkippedAgain(offerAgain);
        p->platform().questionAnswers.enqueue(QStringLiteral("Continue"));
        p->startBatch();
        for (const QChar step : steps)
            step == u'-' ? p->skip() : step == u'<' ? p->back() : void();
        QCOMPARE(p->status(), status);
        if (steps.endsWith(u'<')) {
            QCOMPARE(p->caption(), QStringLiteral("c.jpg"));
            QCOMPARE(QFileInfo::exists(p->target(QStringLiteral("c.jpg"))), steps.size() > 1); // made by the program and unused: gone
        }
        while (p->canAdd())
            p->add(p->shown());
        QCOMPARE(p->messages().last(), "Last image reached." + QString(told).replace(QStringLiteral("<page>"), p->pagePath()));
        QCOMPARE(p->page(), Head + entries + pageEnd(steps.startsWith(u'=') ? "c.jpg" : "a.jpg", "Old Show"));

        QCOMPARE(p->listed().size(), 5); // every photo of the source again
        QTemporaryDir other;
        p->platform().folderAnswers.enqueue(other.path());
        objMediator->TargetFolder();
        p->start();
        QCOMPARE(p->status(), QStringLiteral("1 of 5 · a.jpg · 0 added"));
        p->close();
        QCOMPARE(readFile(other.filePath(QStringLiteral("SlideShow.htm"))), Head + pageEnd("", "My Slide Show"));
    }

    void replacingOrLeavingAlone_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("answer"); // empty: the question is closed
        QTest::addColumn<QString>("told");   // the reason given; ours can also be continued

        const QByteArray finished = Head + entry(1, "a.jpg", "A") + pageEnd("a.jpg", "Show");
        QTest::newRow("ours, replaced, its kept name taken") << finished << "Replace" << "\"Show\" with 1 slide.";
        QTest::newRow("ours, cancelled") << finished << "Cancel" << "\"Show\" with 1 slide.";
        QTest::newRow("ours, closed") << finished << "" << "\"Show\" with 1 slide.";
        QTest::newRow("binary, replaced") << QByteArray("\x89PNG\r\n\x1a\n\0\0Picture[1]", 20) << "Replace"
                                          << "it does not begin with the page head this program writes";
        QTest::newRow("empty") << QByteArray("") << "" << "it is empty";
        QTest::newRow("a slide missing") << Head + entry(1, "a.jpg", "A") + entry(3, "b.jpg", "B") << "Cancel" << "slide 2 is not written the way this program writes slides";
        QTest::newRow("line ends changed") << Head + "\n\nPicture[1]  = 'a.jpg'; \nCaption[1] = 'A' ;\n" << "Cancel" << "after its head it holds text that this program does not write";
        QTest::newRow("a caption line broken") << Head + "\r\n\r\nPicture[1]  = 'a.jpg'; \r\nCaption[1] = 'A\r\n" << "Cancel" << "slide 1 is not written";
    }

    void replacingOrLeavingAlone()
    {
        QFETCH(QByteArray, page);
        QFETCH(QString, answer);
        QFETCH(QString, told);
        const QStringList choices = told.startsWith('"') ? ContinueReplaceCancel : ContinueReplaceCancel.mid(1);
        writeImage(p->source(QStringLiteral("a.jpg")));
        writeImage(p->source(QStringLiteral("b.jpg")));
        writeFile(p->pagePath(), page);
        writeImage(p->target(QStringLiteral("a.jpg"))); // the old show's copy, as its record says
        const QByteArray record = "{\"made\": [\"a.jpg\"], \"skipped\": [], \"version\": 1, \"webSized\": false}";
        writeFile(p->target(QStringLiteral(".SlideShow.htm.state")), record);
        // Both this minute's name and the next one's, so the test never meets the turn of a minute.
        const bool taken = QByteArray(QTest::currentDataTag()).endsWith("taken");
        for (int minutes = 0; taken && minutes < 2; ++minutes)
            writeFile(p->target(QDateTime::currentDateTime().addSecs(60 * minutes).toString("'SlideShow (replaced 'yyyy-MM-dd HH.mm').htm'")), "");

        p->chooseFolders(p->source(), p->target());
        if (!answer.isEmpty())
            p->platform().questionAnswers.enqueue(answer);
        p->start();
        QCOMPARE(p->platform().questionChoices, QList<QStringList>{choices});
        const QString question = p->platform().questions.value(0);
        QVERIFY2(question.contains(told) && question.contains(p->pagePath()), qPrintable(question));
        if (answer == QLatin1String("Replace")) {
            // The old page stays, byte for byte, under a name of its own.
            const QStringList kept = QDir(p->target()).entryList({taken ? "SlideShow (replaced *) 2.htm" : "SlideShow (replaced *).htm"});
            QCOMPARE(kept.size(), 1);
            QVERIFY2(QRegularExpression("^SlideShow \\(replaced 20\\d\\d-\\d\\d-\\d\\d \\d\\d\\.\\d\\d\\)( 2)?\\.htm$").match(kept[0]).hasMatch(), qPrintable(kept[0]));
            QCOMPARE(readFile(p->target(kept[0])), page);
            QCOMPARE(p->messages(), QStringList{"The slide show that was there is kept as \"" + p->target(kept[0]) + "\"."});
            QCOMPARE(p->page(), Head);
            QCOMPARE(p->shown(), QStringLiteral("a.jpg"));
            QCOMPARE(readFile(p->target('.' + kept[0] + ".state")), record); // the record goes with its page
            p->add();
            p->back(); // the new show did not make a.jpg: the kept page's copy stays
            QVERIFY(QFileInfo::exists(p->target(QStringLiteral("a.jpg"))));
        } else {
            QVERIFY(p->messages().isEmpty());
            QCOMPARE(p->page(), page);
            QVERIFY(!p->started() && !p->canAdd());
            QCOMPARE(targetFiles(), QStringList({".SlideShow.htm.state", "a.jpg", "SlideShow.htm"})); // no lock or temporary file left
        }
    }

    // The lock, and the templates, come before the page: while either is
    // missing, Start asks nothing and leaves the page as it is.
    void theLockAndTemplatesComeFirst_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("told"); // <lock>, <target>, <program> and <pid> stand for themselves
        const QString unknown = ", so it is not known whether another slide show batch is writing to the target folder "
                                "\"<target>\". If none is, delete that file; or choose another target folder.";
        QTest::newRow("another batch") << "batch" << "Another slide show batch is writing to the target folder \"<target>\": "
                                                     "tst_continue (process <pid> on ";
        QTest::newRow("a folder in its place")
            << "folder" << "\"<lock>\" is a folder, not a lock this program writes, so no slide show can be written to the "
                          "target folder \"<target>\". Move or rename it, or choose another target folder.";
        QTest::newRow("a pipe in its place") << "pipe" << "\"<lock>\" is not an ordinary file, not a lock";
        QTest::newRow("garbled") << "garbled" << "\"<lock>\" does not hold what this program writes into its locks" + unknown;
        QTest::newRow("no Middle.txt") << "Middle.txt" << "The template \"<program>/Middle.txt\" could not be read";
        QTest::newRow("no End.txt") << "End.txt" << "The template \"<program>/End.txt\" could not be read";
    }

    void theLockAndTemplatesComeFirst()
    {
        QFETCH(QString, what);
        QFETCH(QString, told);
        writeImage(p->source(QStringLiteral("a.jpg")));
        const QByteArray page = Head + entry(1, "a.jpg", "A") + pageEnd("a.jpg", "Show");
        writeFile(p->pagePath(), page);
        const QString lockPath = p->target(QStringLiteral(".SlideShow.htm.lock"));
        QLockFile other(lockPath);
        if (what == QLatin1String("batch"))
            QVERIFY(other.tryLock(0));
        else if (what == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(lockPath));
        else if (what == QLatin1String("pipe"))
            QCOMPARE(::mkfifo(QFile::encodeName(lockPath).constData(), 0644), 0); // never opened, so Start never waits
        else if (what == QLatin1String("garbled"))
            writeFile(lockPath, "\x01\xff garbled");
        else
            p->setTemplate(what.toLatin1().constData(), QByteArray());

        p->startBatch();
        QCOMPARE(p->messages().size(), 1);
        told.replace(QStringLiteral("<lock>"), lockPath).replace(QStringLiteral("<target>"), p->target());
        told.replace(QStringLiteral("<program>"), p->programFolder());
        told.replace(QStringLiteral("<pid>"), QString::number(QCoreApplication::applicationPid()));
        QVERIFY2(p->messages()[0].startsWith(told), qPrintable(p->messages()[0]));
        QVERIFY(p->platform().questions.isEmpty());
        QCOMPARE(p->page(), page);
        QVERIFY(!p->started() && !p->canAdd());

        // Once it lets go the batch starts, and holds the target until it ends.
        if (what == QLatin1String("batch"))
            other.unlock();
        else if (what.endsWith(QLatin1String(".txt")))
            p->setTemplate(what.toLatin1().constData(), what == QLatin1String("End.txt") ? TestProgram::End : TestProgram::Middle);
        else
            QVERIFY(QDir().rmdir(lockPath) || QFile::remove(lockPath));
        p->platform().questionAnswers.enqueue(QStringLiteral("Replace"));
        p->start();
        QCOMPARE(p->page(), Head);
        QVERIFY(!other.tryLock(0));
        p->skip(); // the last image
        QVERIFY(other.tryLock(0));
    }

    // What a killed batch left half written in the target goes at the next
    // Start there; anything else of a similar name stays.
    void staleTemporariesGo_data()
    {
        QTest::addColumn<QString>("name"); // in the target
        QTest::addColumn<QString>("kind"); // "old" file, "new" file (a live writer's), "link" or "folder"
        QTest::addColumn<bool>("removed");
        QTest::newRow("a page being rewritten") << ".SlideShow.htm.k3j2h1.tmp" << "old" << true;
        QTest::newRow("a copy on its way") << ".fw-0a1b2c3d.tmp" << "old" << true;
        QTest::newRow("a web-sized copy on its way") << ".fw-AbqCdZ" << "old" << true;
        QTest::newRow("a thumbnail on its way") << "SlideShow-thumbnails/.fw-ZzxYyw" << "old" << true;
        QTest::newRow("a 640 px thumbnail on its way") << "SlideShow-thumbnails/2x/.fw-ZzxYyw" << "old" << true;
        QTest::newRow("a copy on its way beside the originals") << "SlideShow-photos/.fw-AbqCdZ" << "old" << true;
        QTest::newRow("the user's own .fw- file") << ".fw-notes.txt" << "old" << false;
        QTest::newRow("the user's own copy of the page") << ".SlideShow.htm.before-edit.tmp" << "old" << false;
        QTest::newRow("newer than the lock") << ".fw-0a1b2c3d.tmp" << "new" << false;
        QTest::newRow("a link of that name") << ".fw-0a1b2c3d.tmp" << "link" << false;
        QTest::newRow("a folder of that name") << ".fw-AbqCdZ" << "folder" << false;
        QTest::newRow("behind a link as the thumbnail folder") << "SlideShow-thumbnails/.fw-ZzxYyw" << "thumbnails link" << false;
    }

    void staleTemporariesGo()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(bool, removed);
        writeImage(p->source(QStringLiteral("a.jpg")));
        const QString elsewhere = p->source(QStringLiteral("elsewhere"));
        QVERIFY(QDir().mkpath(elsewhere) && QDir().mkpath(QFileInfo(p->target(name)).path()));
        const QString path = p->target(name), planted = kind == QLatin1String("link") ? elsewhere + QStringLiteral("/kept") : path;
        if (kind == QLatin1String("thumbnails link")) {
            QVERIFY(QDir(p->target(QStringLiteral("SlideShow-thumbnails"))).removeRecursively());
            QVERIFY(QFile::link(elsewhere, p->target(QStringLiteral("SlideShow-thumbnails"))));
        }
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(path));
        else
            writeFile(planted, "half written");
        if (kind == QLatin1String("link"))
            QVERIFY(QFile::link(planted, path));
        QFile file(planted);
        if (kind != QLatin1String("folder"))
            QVERIFY(file.open(QIODevice::ReadWrite)
                    && file.setFileTime(QDateTime::currentDateTime().addSecs(kind == QLatin1String("new") ? 3600 : -3600),
                                        QFileDevice::FileModificationTime));
        file.close();

        p->startBatch();
        QCOMPARE(p->page(), Head);
        QCOMPARE(QFileInfo::exists(path) || QFileInfo(path).isSymLink(), !removed);
        if (!removed && kind != QLatin1String("folder"))
            QCOMPARE(readFile(planted), QByteArray("half written"));
    }
};

QTEST_MAIN(TestContinue)
#include "tst_continue.moc"
