// SPDX-License-Identifier: MIT
// fotoweave make, run as the real program with no display: the pages and
// copies it writes (the same as the window's batch), and its exit statuses.
#include "testsupport.h"

#include <QtTest>

#include <csignal>
#include <unistd.h>

namespace {
const QByteArray Head = "<head>\r\n";
QByteArray thumbnail(int n, const QByteArray &name) { return "Thumbnail[" + QByteArray::number(n) + "] = 'SlideShow-thumbnails/" + name + "';\r\n"; }
// The page of the three photos with their own descriptions as captions, web-sized.
const QByteArray WebPage = Head + entry(1, "a.jpg", "Harbour at dawn") + thumbnail(1, "a.jpg") + entry(2, "b.jpg", "")
    + thumbnail(2, "b.jpg") + entry(3, "c.gif", "") + thumbnail(3, "c.gif.jpg") + pageEnd("a.jpg", "My Slide Show");
const QStringList WebFiles{".SlideShow.htm.state", "SlideShow-thumbnails/2x/a.jpg", "SlideShow-thumbnails/2x/b.jpg",
                           "SlideShow-thumbnails/2x/c.gif.jpg", "SlideShow-thumbnails/a.jpg", "SlideShow-thumbnails/b.jpg", "SlideShow-thumbnails/c.gif.jpg",
                           "SlideShow.htm", "a.jpg", "b.jpg", "c.gif"};
}

class TestCommandLine : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestProgram> p; // its program folder holds the templates and the program
    QString m_said;

    /**
     * The program run as from a shell on a machine with no display, in English whatever the machine's language;
     * given a signal, sent it once it tells of its first photo. Its exit status; -1 when it did not end by itself.
     */
    int make(const QStringList &arguments, int signal = 0)
    {
        const QStringList shell{"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM", "LANGUAGE=en"};
        QProcess process;
        process.setReadChannel(QProcess::StandardError);
        process.start(QStringLiteral("env"), shell + QStringList{p->programFolder() + "/fotoweave"} + arguments);
        if (signal && process.waitForReadyRead(30000))
            ::kill(pid_t(process.processId()), signal);
        const bool ended = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
        m_said = QString::fromUtf8(process.readAllStandardError() + process.readAllStandardOutput());
        return ended ? process.exitCode() : -1;
    }
    static QStringList files(const QString &folder)
    {
        QStringList found;
        for (QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories); it.hasNext();)
            found << QDir(folder).relativeFilePath(it.next());
        found.sort();
        // A page Replace kept is named after the minute it was replaced.
        return found.replaceInStrings(QRegularExpression(QStringLiteral("\\(replaced [-0-9]{10} [.0-9]{5}\\)")),
                                      QStringLiteral("(replaced DATE)"));
    }

private slots:
    void init()
    {
        p = std::make_unique<TestProgram>();
        const QString program = p->programFolder() + QStringLiteral("/fotoweave");
        QVERIFY(::link(FOTOWEAVE_PROGRAM, QFile::encodeName(program).constData()) == 0 || QFile::copy(QStringLiteral(FOTOWEAVE_PROGRAM), program));
        QVERIFY(QFile::copy(fixture(QStringLiteral("described-exif.jpg")), p->source(QStringLiteral("a.jpg"))));
        writeImage(p->source(QStringLiteral("b.bmp")));
        writeImage(p->source(QStringLiteral("c.gif")));
    }
    void cleanup() { p.reset(); }

    void runs_data()
    {
        QTest::addColumn<QStringList>("arguments"); // SRC, TGT, CSV and TSV stand for the paths
        QTest::addColumn<QByteArray>("before");     // a slide show already in the target
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("page");       // null: no page
        QTest::addColumn<QStringList>("files");     // what the target holds afterwards
        QTest::addColumn<QString>("said");
        const QByteArray described = Head + entry(1, "a.jpg", "Harbour at dawn") + entry(2, "b.bmp", "") + entry(3, "c.gif", "") + pageEnd("a.jpg", "My Slide Show");
        const QByteArray none = Head + entry(1, "a.jpg", "") + entry(2, "b.bmp", "") + entry(3, "c.gif", "") + pageEnd("a.jpg", "My Slide Show");
        const QByteArray old = Head + entry(1, "a.jpg", "Old") + pageEnd("a.jpg", "Old show");
        const QStringList all{".SlideShow.htm.state", "SlideShow.htm", "a.jpg", "b.bmp", "c.gif"};
        QTest::newRow("captions from metadata") << QStringList{"make", "SRC", "TGT"} << QByteArray() << 0 << described << all << "3 of 3 added to";
        QTest::newRow("metadata, only captioned") << QStringList{"make", "--only-captioned", "SRC", "TGT"} << QByteArray() << 0
                                                  << Head + entry(1, "a.jpg", "Harbour at dawn") + pageEnd("a.jpg", "My Slide Show") << QStringList{".SlideShow.htm.state", "SlideShow.htm", "a.jpg"} << "1 of 3 added";
        QTest::newRow("CSV: header, quotes, commas, UTF-8") << QStringList{"make", "--captions", "CSV", "--name", "Our <trip> & more", "SRC", "TGT"} << QByteArray() << 0
            << Head + entry(1, "a.jpg", "Caf\xC3\xA9 No\xC3\xABl") + entry(2, "b.bmp", "Boats, \"small\" ones") + entry(3, "c.gif", "Two lines") + pageEnd("a.jpg", "Our &lt;trip&gt; &amp; more") << all << "names \"x.jpg\"";
        QTest::newRow("TSV, only captioned") << QStringList{"make", "--captions", "TSV", "--only-captioned", "-q", "SRC", "TGT"} << QByteArray() << 0
            << Head + entry(1, "a.jpg", "Tab, no quotes \"") + entry(2, "c.gif", "Gif") + pageEnd("a.jpg", "My Slide Show") << QStringList{".SlideShow.htm.state", "SlideShow.htm", "a.jpg", "c.gif"} << "";
        QTest::newRow("no captions") << QStringList{"make", "--captions", "none", "SRC", "TGT"} << QByteArray() << 0 << none << all << "";
        QTest::newRow("web-sized") << QStringList{"make", "--web-sized", "SRC", "TGT"} << QByteArray() << 0 << WebPage << WebFiles << "";
        QTest::newRow("continue") << QStringList{"make", "--continue", "--captions", "none", "SRC", "TGT"} << old << 0
            << Head + entry(1, "a.jpg", "Old") + entry(2, "b.bmp", "") + entry(3, "c.gif", "") + pageEnd("a.jpg", "Old show") << all << "2 of 2 added";
        QTest::newRow("replace") << QStringList{"make", "--replace", "--captions", "none", "SRC", "TGT"} << old << 0 << none
                                 << QStringList{".SlideShow.htm.state", "SlideShow (replaced DATE).htm", "SlideShow.htm", "a.jpg", "b.bmp", "c.gif"}
                                 << "is kept as";
        QTest::newRow("refused target") << QStringList{"make", "SRC", "TGT"} << old << 2 << old << QStringList{"SlideShow.htm", "a.jpg"}
                                        << "holds the slide show \"Old show\" with 1 slide.\nNothing was changed. Give --continue or --replace";
        QTest::newRow("web-sized into the source") << QStringList{"make", "--web-sized", "SRC"} << QByteArray() << 0 << QByteArray() << QStringList() << "3 of 3 added";
        QTest::newRow("unreadable photo") << QStringList{"make", "SRC", "TGT", "BROKEN"} << QByteArray() << 1 << described << all << "not added: d.jpg: the photo cannot be read.";
        QTest::newRow("dry run") << QStringList{"make", "--dry-run", "SRC", "TGT"} << QByteArray() << 0 << QByteArray() << QStringList() << "1. a.jpg: Harbour at dawn\n  2. b.bmp: (no caption)\n";
        QTest::newRow("no source") << QStringList{"make"} << QByteArray() << 2 << QByteArray() << QStringList() << "make needs the folder";
        QTest::newRow("both continue and replace") << QStringList{"make", "--continue", "--replace", "SRC", "TGT"} << old << 2 << old << QStringList{"SlideShow.htm", "a.jpg"} << "cannot both";
        QTest::newRow("version") << QStringList{"--version"} << QByteArray() << 0 << QByteArray() << QStringList() << "fotoweave 1.0.0\n";
        QTest::newRow("help of make") << QStringList{"make", "--help"} << QByteArray() << 0 << QByteArray() << QStringList() << "--only-captioned";
        QTest::newRow("no such command") << QStringList{"mkae", "SRC"} << QByteArray() << 2 << QByteArray() << QStringList() << "no command \"mkae\"";
    }

    void runs()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, before);
        QFETCH(int, status);
        const QString target = p->target(QStringLiteral("show"));
        writeFile(p->source(QStringLiteral("captions.csv")), "\xEF\xBB\xBF\"name\",\"caption\"\r\nb.bmp,\"Boats, \"\"small\"\" ones\"\r\nx.jpg,none\r\na.jpg,Caf\xC3\xA9 No\xC3\xABl\r\nc.gif,\"Two\r\nlines\"\r\n");
        writeFile(p->source(QStringLiteral("captions.tsv")), "a.jpg\tTab, no quotes \"\nc.gif\tGif\n");
        if (arguments.removeOne(QStringLiteral("BROKEN")))
            writeFile(p->source(QStringLiteral("d.jpg")), "not a photo");
        if (!before.isEmpty()) {
            QVERIFY(QDir().mkpath(target) && QFile::copy(p->source(QStringLiteral("a.jpg")), target + QStringLiteral("/a.jpg")));
            writeFile(target + QStringLiteral("/SlideShow.htm"), before);
        }
        arguments.replaceInStrings(QStringLiteral("SRC"), p->source()).replaceInStrings(QStringLiteral("TGT"), target);
        arguments.replaceInStrings("CSV", p->source("captions.csv")).replaceInStrings("TSV", p->source("captions.tsv"));
        QFETCH(QByteArray, page);
        QFETCH(QStringList, files);
        QFETCH(QString, said);
        QCOMPARE(make(arguments), status);
        QVERIFY2(arguments.contains(QStringLiteral("-q")) ? m_said.isEmpty() : m_said.contains(said), qPrintable(m_said));
        QCOMPARE(readFile(target + QStringLiteral("/SlideShow.htm")), page);
        QCOMPARE(TestCommandLine::files(target), files);
        if (files.contains(QStringLiteral(".SlideShow.htm.state"))) // the record keeps the show's size for --continue
            QCOMPARE(readFile(target + QStringLiteral("/.SlideShow.htm.state")).contains("\"webSized\": true"), arguments.contains("--web-sized"));
    }

    // Stopped midway, the page is completed with the slides written, and no temporary file stays.
    void stopSignals_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("status");
        QTest::newRow("Ctrl+C") << int(SIGINT) << 130;
        QTest::newRow("kill") << int(SIGTERM) << 143;
    }

    void stopSignals()
    {
        QFETCH(int, signal);
        QFETCH(int, status);
        writeImage(p->source(QStringLiteral("big.jpg")), QSize(3000, 2000));
        for (int i = 10; i < 70; ++i) // sixty photos, p10.jpg to p69.jpg
            QVERIFY(QFile::copy(p->source(QStringLiteral("big.jpg")), p->target(QStringLiteral("p%1.jpg").arg(i))));
        const QString show = p->source(QStringLiteral("show"));
        QCOMPARE(make({"make", "--web-sized", "--captions", "none", p->target(), show}, signal), status);
        const QByteArray page = readFile(show + QStringLiteral("/SlideShow.htm"));
        const int written = int(page.count("Picture["));
        QVERIFY2(written >= 1 && written < 60, page.constData());
        QByteArray expected = Head;
        QStringList copies{QStringLiteral(".SlideShow.htm.state"), QStringLiteral("SlideShow.htm")};
        for (int n = 1; n <= written; ++n) {
            const QByteArray name = "p" + QByteArray::number(n + 9) + ".jpg";
            expected += entry(n, name, "") + thumbnail(n, name);
            copies << name << "SlideShow-thumbnails/" + name << "SlideShow-thumbnails/2x/" + name;
        }
        QCOMPARE(page, expected + pageEnd("p10.jpg", "My Slide Show"));
        copies.sort();
        QCOMPARE(files(show), copies);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
