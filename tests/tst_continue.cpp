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

/** A web-sized show's line for slide n's thumbnail. */
QByteArray thumbnail(int n, const char *name)
{
    return "Thumbnail[" + QByteArray::number(n) + "] = 'SlideShow-thumbnails/" + name + "';\r\n";
}

/**
 * A page in the target, what Continue keeps of it, the photos in the source, its name, the page after adding each
 * photo offered with its name as caption, and what the question says; the show's copy of a.jpg in the target ("same"
 * photo, "same size", "other"; none when empty) and the name the source's a.jpg is then added under (none: left out).
 */
struct Show { QByteArray page, kept; QStringList photos; QString name; QByteArray continued;
              QString asked = {}, copy = {}, newName = {}; };

/** A page in the target, what stands in Start's way, the answer to the question (none: closed), the reason given. */
struct Found { QByteArray page; QString obstacle, answer, told; };

/**
 * The first sitting's size (the second asks for the other), "Offer skipped photos again", the steps, the status after
 * them, what follows "Last image reached." (<page> for its path) and the entries of the page.
 */
struct Sitting { bool web, offerAgain; QString steps, status, told; QByteArray entries; };
}

class TestContinue : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestProgram> p;
    QStringList targetFiles() const { return QDir(p->target()).entryList(QDir::Files | QDir::Hidden); }

private slots:
    void init() { p = std::make_unique<TestProgram>(); }
    void cleanup() { p.reset(); }

    // The source holds the show's photos and c.jpg; only c.jpg is new. Each photo offered is added with its name as
    // caption.
    void continuingAShow_data()
    {
        QTest::addColumn<Show>("show");
        const auto c = [](int n) { return entry(n, "c.jpg", "c.jpg"); };
        const QByteArray two = Head + entry(1, "a.jpg", "Red") + entry(2, "b.jpg", "It\\'s \\x3C3");
        const QStringList abc{"a.jpg", "b.jpg", "c.jpg"}, ac{"a.jpg", "c.jpg"};
        const QByteArray three = two + c(3) + pageEnd("a.jpg", "My Slide Show");
        QTest::newRow("finished") << Show{two + pageEnd("a.jpg", "Tom &amp; Jerry"), two, abc, "Tom & Jerry",
                                          two + c(3) + pageEnd("a.jpg", "Tom &amp; Jerry")};
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
            escaped + c(2) + pageEnd("Tom%27s%20%231.jpg", "My Slide Show")};
        const QByteArray older = "<html><script>var Picture = [], Caption = [];\r\n" + entry(1, "a.jpg", "Old one");
        // Pages written with the templates of an earlier version are continued all the same.
        QTest::newRow("a head from other templates")
            << Show{older + "</script><table><tr>\r\n\r\n<TD WIDTH='350' HEIGHT='280' COLSPAN='3'> <IMG SRC='a.jpg' NAME='PictureBox' "
                            "WIDTH='350' HEIGHT='280'> </TD> </TR><TR>\r\n<TD ID='CaptionBox' CLASS='Caption' ALIGN='center' "
                            "COLSPAN='3'> Old </TD></TR>\r\n\r\n\r\n</table></html>\r\n\r\n",
                    older, ac, "Old", older + c(2) + pageEnd("a.jpg", "Old")};
        const QByteArray web = Head + entry(1, "a.jpg", "Red") + thumbnail(1, "a.jpg");
        QTest::newRow("web-sized, with thumbnails")
            << Show{web + pageEnd("a.jpg", "Web"), web, ac, "Web",
                    web + c(2) + thumbnail(2, "c.jpg") + pageEnd("a.jpg", "Web")};
        QTest::newRow("no slides yet")
            << Show{Head + pageEnd("", "Empty"), Head, {"c.jpg"}, "Empty", Head + c(1) + pageEnd("c.jpg", "Empty")};
        // A photo named like a slide of the show is compared with the show's copy: the same photo is left out,
        // another is offered under a free name and never replaces the copy.
        const QByteArray old = Head + entry(1, "a.jpg", "Old"), end = pageEnd("a.jpg", "Show");
        QTest::newRow("the same photo is left out") << Show{old + end, old, ac, "Show", old + c(2) + end, "", "same"};
        QTest::newRow("another photo of the same size")
            << Show{old + end, old, ac, "Show", old + entry(2, "a-2.jpg", "a.jpg") + c(3) + end, "", "same size",
                    "a-2.jpg"};
        QTest::newRow("another photo, a-2.jpg taken")
            << Show{old + end, old, ac, "Show", old + entry(2, "a-3.jpg", "a.jpg") + c(3) + end, "",
                    "other, a-2.jpg taken", "a-3.jpg"};
        const QByteArray beside = Head + entry(1, "SlideShow-photos/a.jpg", "Old") + thumbnail(1, "a.jpg");
        const QByteArray besideEnd = pageEnd("SlideShow-photos/a.jpg", "Show");
        QTest::newRow("so does one beside its originals")
            << Show{beside + besideEnd, beside, ac, "Show", beside + c(2) + thumbnail(2, "c.jpg") + besideEnd, "",
                    "other"};
    }

    void continuingAShow()
    {
        QFETCH(Show, show);
        const auto &[page, kept, photos, name, continued, asked, copy, newName] = show;
        for (const QString &photo : photos)
            writeImage(p->source(photo), QSize(20, 20), photo == QLatin1String("c.jpg") ? Qt::green : Qt::red);
        const QByteArray photo = readFile(p->source(QStringLiteral("a.jpg")));
        const QByteArray theirs = copy == "same" ? photo
            : copy == "same size" ? QByteArray(photo).replace(photo.size() - 10, 1, "\x55") : "the show's own a.jpg";
        if (!copy.isEmpty())
            writeFile(p->target(QStringLiteral("a.jpg")), theirs);
        if (copy.endsWith(QLatin1String("a-2.jpg taken")))
            writeFile(p->target(QStringLiteral("a-2.jpg")), "the user's a-2.jpg");
        writeFile(p->pagePath(), page);
        p->platform().questionAnswers.enqueue(QStringLiteral("Continue"));
        p->startBatch();
        QCOMPARE(p->platform().questionChoices, QList<QStringList>{ContinueReplaceCancel});
        const QString question = p->platform().questions.value(0);
        QVERIFY2(question.startsWith(QString(asked).replace("<page>", p->pagePath())), qPrintable(question));
        QCOMPARE(p->page(), kept); // rewritten without its closing part, nothing else
        QCOMPARE(p->listed().size(), newName.isEmpty() ? 1 : 2);
        QCOMPARE(objMediator->showName(), name);

        while (p->canAdd())
            p->add(p->shown()); // the captions on the page tell which photos were offered, in order
        const QString added = newName.isEmpty() ? "1 of 1 added" : "2 of 2 added";
        QVERIFY(p->messages().size() == 1 && p->messages()[0].startsWith("Last image reached.\n" + added));
        QCOMPARE(p->page(), continued);
        if (copy.isEmpty())
            QCOMPARE(targetFiles(), QStringList({".SlideShow.htm.state", "c.jpg", "SlideShow.htm"}));
        else
            QCOMPARE(readFile(p->target(QStringLiteral("a.jpg"))), theirs);
        if (!newName.isEmpty())
            QCOMPARE(readFile(p->target(newName)), photo);
        if (copy.endsWith(QLatin1String("a-2.jpg taken")))
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
        QTest::addColumn<QByteArray>("text"); // null: no record; only the one as written is loaded
        const QByteArray good = "{\"made\": [\"c.jpg\", \"SlideShow-thumbnails/c.jpg\"], \"skipped\": [{\"name\": \"b.jpg\", "
                                "\"size\": \"12\", \"modified\": \"2024-05-01T10:00:00.000Z\"}], \"version\": 1, \"webSized\": true}";
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("as written") << good;
        QTest::newRow("cut short") << good.left(40);
        QTest::newRow("a later version") << QByteArray(good).replace("\"version\": 1", "\"version\": 2");
        QTest::newRow("a path to elsewhere") << QByteArray(good).replace("\"c.jpg\"", "\"../c.jpg\"");
        QTest::newRow("a size that is no number") << QByteArray(good).replace("\"12\"", "\"12k\"");
    }

    void theShowsRecord()
    {
        QFETCH(QByteArray, text);
        const bool loaded = QTest::currentDataTag() == QLatin1String("as written");
        if (!text.isNull())
            writeFile(p->target(QStringLiteral(".SlideShow.htm.state")), text);
        const ShowRecord record = ShowRecord::load(p->pagePath());
        QCOMPARE(record.loaded(), loaded);
        QCOMPARE(record.webSized && record.wasSkipped({"b.jpg", 12, QDateTime(QDate(2024, 5, 1), QTime(12, 0), QTimeZone(7200))}), loaded);
        QCOMPARE(record.made.join(' '), loaded ? "c.jpg SlideShow-thumbnails/c.jpg" : ""); // the names it lets go
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
        QTest::addColumn<Sitting>("sitting");
        const auto e = [](int n, const char *name) { return entry(n, name, name); };
        const QByteArray ace = e(1, "a.jpg") + e(2, "c.jpg") + e(3, "e.jpg");
        const QString eTwo = " · e.jpg · 0 added, 2 in the show", cOne = " · c.jpg · 0 added, 1 in the show";
        const QString to = " added to <page>; the show holds %1 slides";
        const QString one = "\n1 of 1" + to.arg(3);
        QTest::newRow("skipped photos stay skipped") << Sitting{false, false, "", "1 of 1" + eTwo, one, ace};
        QTest::newRow("offered again") << Sitting{false, true, "--", "3 of 3" + eTwo, "\n1 of 3" + to.arg(3), ace};
        QTest::newRow("Back takes the show's last slide")
            << Sitting{false, false, "<", "1 of 2" + cOne, "\n2 of 2" + to.arg(3), ace};
        QTest::newRow("no record: nothing remembered, nothing deleted")
            << Sitting{false, false, "!<", "1 of 4" + cOne, "\n4 of 4" + to.arg(5),
                       e(1, "a.jpg") + e(2, "c.jpg") + e(3, "b.jpg") + e(4, "d.jpg") + e(5, "e.jpg")};
        QTest::newRow("Back keeps a copy another slide uses")
            << Sitting{false, false, "=<", "1 of 3" + cOne, "\n3 of 3" + to.arg(4),
                       entry(1, "c.jpg", "a.jpg") + e(2, "c.jpg") + e(3, "a.jpg") + e(4, "e.jpg")};
        QTest::newRow("web-sized stays web-sized")
            << Sitting{true, false, "", "1 of 1" + eTwo, one, e(1, "a.jpg") + thumbnail(1, "a.jpg") + e(2, "c.jpg")
                       + thumbnail(2, "c.jpg") + e(3, "e.jpg") + thumbnail(3, "e.jpg")};
    }

    void aSecondSitting()
    {
        QFETCH(Sitting, sitting);
        const auto &[web, offerAgain, steps, status, told, entries] = sitting;
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

    // Start on a target that holds something: a page this program cannot continue, or one the user replaces or
    // leaves alone. The lock and the templates come before the page: while either is missing (an obstacle), Start
    // asks nothing, says why and leaves the page as it is; once it is gone, the answer is given.
    void replacingOrLeavingAlone_data()
    {
        QTest::addColumn<Found>("found");
        const QByteArray finished = Head + entry(1, "a.jpg", "A") + pageEnd("a.jpg", "Show");
        const QString ours = "\"Show\" with 1 slide.";
        QTest::newRow("ours, replaced, its kept name taken") << Found{finished, "", "Replace", ours};
        QTest::newRow("ours, cancelled") << Found{finished, "", "Cancel", ours};
        QTest::newRow("ours, closed") << Found{finished, "", "", ours};
        QTest::newRow("binary, replaced") << Found{QByteArray("\x89PNG\r\n\x1a\n\0\0Picture[1]", 20), "", "Replace",
                                                   "it does not begin with the page head this program writes"};
        QTest::newRow("empty") << Found{"", "", "", "it is empty"};
        QTest::newRow("a slide missing") << Found{Head + entry(1, "a.jpg", "A") + entry(3, "b.jpg", "B"), "", "Cancel",
                                                  "slide 2 is not written the way this program writes slides"};
        QTest::newRow("line ends changed")
            << Found{Head + "\n\nPicture[1]  = 'a.jpg'; \nCaption[1] = 'A' ;\n", "", "Cancel",
                     "after its head it holds text that this program does not write"};
        QTest::newRow("a caption line broken")
            << Found{Head + "\r\n\r\nPicture[1]  = 'a.jpg'; \r\nCaption[1] = 'A\r\n", "", "Cancel",
                     "slide 1 is not written"};
        // In the way: <lock>, <target>, <program> and <pid> stand for themselves.
        const QString unknown = ", so it is not known whether another slide show batch is writing to the target folder "
                                "\"<target>\". If none is, delete that file; or choose another target folder.";
        QTest::newRow("another batch") << Found{finished, "batch", "", "Another slide show batch is writing to the "
                                                       "target folder \"<target>\": tst_continue (process <pid> on "};
        QTest::newRow("a folder in its place")
            << Found{finished, "folder", "", "\"<lock>\" is a folder, not a lock this program writes, so no slide "
                     "show can be written to the target folder \"<target>\". Move or rename it, or choose another "
                     "target folder."};
        QTest::newRow("a pipe in its place")
            << Found{finished, "pipe", "", "\"<lock>\" is not an ordinary file, not a lock"};
        QTest::newRow("garbled")
            << Found{finished, "garbled", "", "\"<lock>\" does not hold what this program writes into its locks"
                     + unknown};
        const QString unread = "The template \"<program>/%1\" could not be read";
        QTest::newRow("no Middle.txt") << Found{finished, "Middle.txt", "", unread.arg("Middle.txt")};
        QTest::newRow("no End.txt") << Found{finished, "End.txt", "", unread.arg("End.txt")};
    }

    void replacingOrLeavingAlone()
    {
        QFETCH(Found, found);
        const auto &[page, obstacle, answer, told] = found;
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
        const QString lockPath = p->target(QStringLiteral(".SlideShow.htm.lock"));
        QLockFile other(lockPath);
        if (obstacle == "batch")
            QVERIFY(other.tryLock(0));
        else if (obstacle == "folder")
            QVERIFY(QDir().mkdir(lockPath));
        else if (obstacle == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(lockPath).constData(), 0644), 0); // never opened, so Start never waits
        else if (obstacle == "garbled")
            writeFile(lockPath, "\x01\xff garbled");
        else if (!obstacle.isEmpty())
            p->setTemplate(qPrintable(obstacle), QByteArray());

        if (!answer.isEmpty())
            p->platform().questionAnswers.enqueue(answer);
        p->startBatch();
        if (!obstacle.isEmpty()) {
            QCOMPARE(p->messages().size(), 1);
            const QString why = QString(told).replace("<lock>", lockPath).replace("<target>", p->target())
                                    .replace("<program>", p->programFolder())
                                    .replace("<pid>", QString::number(QCoreApplication::applicationPid()));
            QVERIFY2(p->messages()[0].startsWith(why), qPrintable(p->messages()[0]));
            QVERIFY(p->platform().questions.isEmpty());
            QCOMPARE(p->page(), page);
            QVERIFY(!p->started() && !p->canAdd());

            // Once it lets go the batch starts, and holds the target until it ends.
            if (obstacle == "batch")
                other.unlock();
            else if (obstacle.endsWith(QLatin1String(".txt")))
                p->setTemplate(qPrintable(obstacle), obstacle == "End.txt" ? TestProgram::End : TestProgram::Middle);
            else
                QVERIFY(QDir().rmdir(lockPath) || QFile::remove(lockPath));
            p->platform().questionAnswers.enqueue(QStringLiteral("Replace"));
            p->start();
            QCOMPARE(p->page(), Head);
            QVERIFY(!other.tryLock(0));
            p->skip();
            p->skip(); // the last image
            QVERIFY(other.tryLock(0));
            return;
        }
        // Ours can also be continued.
        const QStringList choices = told.startsWith('"') ? ContinueReplaceCancel : ContinueReplaceCancel.mid(1);
        QCOMPARE(p->platform().questionChoices, QList<QStringList>{choices});
        const QString question = p->platform().questions.value(0);
        QVERIFY2(question.contains(told) && question.contains(p->pagePath()), qPrintable(question));
        if (answer == QLatin1String("Replace")) {
            // The old page stays, byte for byte, under a name of its own.
            const QStringList kept = QDir(p->target()).entryList({taken ? "SlideShow (replaced *) 2.htm" : "SlideShow (replaced *).htm"});
            const QRegularExpression name(R"(^SlideShow \(replaced 20\d\d-\d\d-\d\d \d\d\.\d\d\)( 2)?\.htm$)");
            QVERIFY2(kept.size() == 1 && name.match(kept[0]).hasMatch(), qPrintable(kept.join(" | ")));
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

    // What a killed batch left half written in the target goes at the next
    // Start there; anything else of a similar name stays.
    void staleTemporariesGo_data()
    {
        QTest::addColumn<QString>("name"); // in the target
        QTest::addColumn<QString>("kind"); // "old" file, the "user's" old file, "new" file (a live writer's), "link"...
        QTest::newRow("a page being rewritten") << ".SlideShow.htm.k3j2h1.tmp" << "old";
        QTest::newRow("a copy on its way") << ".fw-0a1b2c3d.tmp" << "old";
        QTest::newRow("a web-sized copy on its way") << ".fw-AbqCdZ" << "old";
        QTest::newRow("a thumbnail on its way") << "SlideShow-thumbnails/.fw-ZzxYyw" << "old";
        QTest::newRow("a 640 px thumbnail on its way") << "SlideShow-thumbnails/2x/.fw-ZzxYyw" << "old";
        QTest::newRow("a copy on its way beside the originals") << "SlideShow-photos/.fw-AbqCdZ" << "old";
        QTest::newRow("the user's own .fw- file") << ".fw-notes.txt" << "user's";
        QTest::newRow("the user's own copy of the page") << ".SlideShow.htm.before-edit.tmp" << "user's";
        QTest::newRow("newer than the lock") << ".fw-0a1b2c3d.tmp" << "new";
        QTest::newRow("a link of that name") << ".fw-0a1b2c3d.tmp" << "link";
        QTest::newRow("a folder of that name") << ".fw-AbqCdZ" << "folder";
        QTest::newRow("behind a link as the thumbnail folder") << "SlideShow-thumbnails/.fw-ZzxYyw" << "thumbnails link";
    }

    void staleTemporariesGo()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        const bool removed = kind == QLatin1String("old"); // only a killed batch's files
        writeImage(p->source(QStringLiteral("a.jpg")));
        const QString elsewhere = p->source(QStringLiteral("elsewhere"));
        if (kind == QLatin1String("thumbnails link")) // then made through the link
            QVERIFY(QFile::link(elsewhere, p->target(QStringLiteral("SlideShow-thumbnails"))));
        QVERIFY(QDir().mkpath(elsewhere) && QDir().mkpath(QFileInfo(p->target(name)).path()));
        const QString path = p->target(name), planted = kind == QLatin1String("link") ? elsewhere + QStringLiteral("/kept") : path;
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(path));
        else
            writeFile(planted, "half written");
        if (kind == QLatin1String("link"))
            QVERIFY(QFile::link(planted, path));
        QFile file(planted); // dated an hour before or after the lock
        QVERIFY(kind == QLatin1String("folder") || (file.open(QIODevice::ReadWrite)
                    && file.setFileTime(QDateTime::currentDateTime().addSecs(kind == QLatin1String("new") ? 3600 : -3600),
                                        QFileDevice::FileModificationTime)));

        p->startBatch();
        QCOMPARE(p->page(), Head);
        QCOMPARE(QFileInfo::exists(path) || QFileInfo(path).isSymLink(), !removed);
        if (!removed && kind != QLatin1String("folder"))
            QCOMPARE(readFile(planted), QByteArray("half written"));
    }
};

QTEST_MAIN(TestContinue)
#include "tst_continue.moc"
