// SPDX-License-Identifier: MIT
// Failures no handler expected, the about box and its system information, the windows' controls and texts, and the
// real desktop platform.
#include "windowprogram.h"

#include "core/general.h"
#include "core/settings.h"
#include "document/slideshow.h"
#include "platform/qtplatform.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/frmabout.h"

#include <QtWidgets>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

/**
 * What the registry holds (the value that answers, "" for none, its type and its value), whether MSINFO32.EXE is in
 * the folder that value names, whether a program starts, and the program started ("" for the message).
 */
struct SystemInformation { QString key; int type; QString value; bool there, starts; QString started; };

class TestCore : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowProgram> p;
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened << url; }

private slots:
    void init() { p = std::make_unique<WindowProgram>(); }
    void cleanup() { p.reset(); }

    void anUncaughtFailureIsShownAndEndsTheProgram_data()
    {
        QTest::addColumn<QString>("message");
        QTest::newRow("std::exception") << "Disk on fire"; // what it says is shown
        QTest::newRow("anything else") << "An unexpected failure occurred.";
    }

    void anUncaughtFailureIsShownAndEndsTheProgram()
    {
        QFETCH(QString, message);
        objMediator->SetTgtFolder(p->target());
        objMediator->createSlideShow();
        General::runHandler([&message] {
            if (message == QLatin1String("Disk on fire"))
                throw std::runtime_error("Disk on fire");
            throw 42;
        });
        QCOMPARE(p->messages(), QStringList{message});
        QCOMPARE(p->platform().programEnds, 1);
        QVERIFY(!objMediator->slideShow().path().isEmpty() && !objMediator->slideShow().isOpen());
    }

    // Where the program that shows system information is looked for, and what the user sees when it is not there.
    void systemInformation_data()
    {
        QTest::addColumn<SystemInformation>("row");
        const QString path = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH", location = "SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO";
        const QString program = "C:\\Tools\\MSINFO32.EXE";
        QTest::newRow("nothing in the registry") << SystemInformation{"", 0, "", false, true, ""};
        QTest::newRow("path, NUL-ended") << SystemInformation{path, 1, program + QChar(0), false, true, program};
        QTest::newRow("path, program does not start") << SystemInformation{path, 1, program, false, false, ""};
        QTest::newRow("a number for the path") << SystemInformation{path, 4, QString(QChar(0xCDEF)) + QChar(0xAB), false, true, "&hABCDEF"};
        QTest::newRow("location, program there") << SystemInformation{location, 1, "C:\\MS", true, true, "C:\\MS\\MSINFO32.EXE"};
        QTest::newRow("location, program missing") << SystemInformation{location, 1, "C:\\MS", false, true, ""};
    }

    void systemInformation()
    {
        QFETCH(SystemInformation, row);
        ScriptedPlatform &platform = p->platform();
        platform.registry.insert(row.key, {row.type, row.value}); // nothing looks under ""
        if (row.there)
            platform.existingFiles << row.value + QStringLiteral("\\MSINFO32.EXE");
        platform.programsStart = row.starts;
        p->form()->mnuAbout->trigger();
        QTest::mouseClick(frmAbout::instance()->cmdSysInfo, Qt::LeftButton);
        QCOMPARE(platform.messages, row.started.isEmpty() ? QStringList{"System Information Is Unavailable At This Time"} : QStringList());
        const QString tried = row.starts ? row.started : row.value; // one that does not start is tried all the same
        QCOMPARE(platform.startedPrograms, tried.isEmpty() ? QStringList() : QStringList{tried});
    }

    void controlsAndTexts_data()
    {
        QTest::addColumn<QString>("window"); // main, images or about
        QTest::addColumn<QString>("control"); // "" for the window's title
        QTest::addColumn<QString>("text");
        const std::pair<const char *, QStringList> windows[]{
            {"main", {"", "Fotoweave", "btnView", "View SlideShow", "Next", "Skip", "Command4", "Add to SlideShow", "Command1",
                      "Exit", "lblSlideShowName", "Slide Show Name:", "txtSlideShowName", "My Slide Show", "Label5",
                      "Image size:", "Label1", "Caption"}},
            {"images", {"", "Images", "Frame1", "Select folders:", "Label2", "Source:", "btnSource", "Select...", "Label1",
                        "Target:", "btnTarget", "Select...", "Label3", "Found images:", "Command1", "Start", "Command2", "Cancel"}},
            {"about", {"", "About Fotoweave", "lblTitle", "Fotoweave", "lblVersion", "Version " FOTOWEAVE_VERSION,
                       "lblDescription", " Creates Fotoweaves", "cmdOK", "OK", "cmdSysInfo", "System Info..."}}};
        for (const auto &[window, texts] : windows)
            for (qsizetype i = 0; i < texts.size(); i += 2)
                QTest::addRow("%s %s %s", window, qPrintable(texts[i]), qPrintable(texts[i + 1])) << window << texts[i] << texts[i + 1];
    }

    void controlsAndTexts()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, text);
        p->form()->mnuOpen->trigger();
        p->form()->mnuAbout->trigger();
        QWidget *shown = window == QLatin1String("main") ? p->form()
            : window == QLatin1String("images") ? static_cast<QWidget *>(p->dialog()) : frmAbout::instance();
        if (control.isEmpty()) {
            QCOMPARE(shown->windowTitle(), text);
            QStringList menus; // and the main window's menus, in order
            for (QAction *menu : p->form()->menuBar()->actions())
                for (QAction *item : QList<QAction *>{menu} + menu->menu()->actions())
                    menus << item->text();
            QCOMPARE(menus.join(QLatin1Char('|')), QStringLiteral("&File|&Open|&Edit Slide Show...|&Close|E&xit|&Help|&About|&UserGuide"));
            return;
        }
        auto *widget = shown->findChild<QWidget *>(control);
        QVERIFY(widget);
        QString shownText = widget->property(widget->inherits("QGroupBox") ? "title" : "text").toString();
        shownText.remove(QRegularExpression(QStringLiteral("&(?=[^&])"))); // a mnemonic is underlined, not shown
        QCOMPARE(shownText, text);
        // Inside its window, and clear of every label, box, list and button beside it (touching by a pixel is fine).
        for (QWidget *w = widget; w != shown; w = w->parentWidget())
            QVERIFY(QRect(QPoint(), w->parentWidget()->size()).contains(w->geometry()));
        for (QWidget *other : widget->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            const QRect both = other->geometry() & widget->geometry();
            const bool kind = other->inherits("QLabel") || other->inherits("QLineEdit")
                || other->inherits("QAbstractButton") || other->inherits("QListWidget");
            QVERIFY2(other == widget || !other->isVisibleTo(shown) || !kind || both.width() <= 1 || both.height() <= 1,
                     qPrintable(other->objectName()));
        }
        if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            // Alt and a letter of its own presses it, whatever else its window shows.
            const QKeySequence key = QKeySequence::mnemonic(button->text());
            QVERIFY2(!key.isEmpty(), qPrintable(button->text()));
            for (QAbstractButton *other : shown->findChildren<QAbstractButton *>())
                QVERIFY2(other == button || other->window() != shown || !other->isVisibleTo(shown)
                         || QKeySequence::mnemonic(other->text()) != key, qPrintable(other->text()));
        }
    }

    // File names, show names, lock contents and system messages reach message
    // boxes, labels and tooltips. Each is shown as the text it is: never read
    // as markup, which would load the picture that an <img> names.
    void userTextIsNeverMarkup_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("expected"); // %1 is the name with markup
        QTest::newRow("message box") << "message box" << "Fotoweave|%1"; // the title, then the text
        QTest::newRow("question") << "question" << "Fotoweave|%1";
        QTest::newRow("status bar") << "status bar" << "1 of 1 · %1 · 0 added";
        QTest::newRow("photos left out") << "left out"
                                         << "2 photos left out: unreadable names, not ordinary files|%1: not an ordinary "
                                            "file\nCaf\uFFFD.jpg: its name is not valid in this system's encoding; rename it";
        QTest::newRow("one photo left out") << "left out" << "1 photo left out: not an ordinary file|%1: not an ordinary file";
        QTest::newRow("typed folder") << "typed folder" << "There is no folder /%1";
    }

    void userTextIsNeverMarkup()
    {
        QFETCH(QString, where);
        QFETCH(QString, expected);
        // Big enough to show in the height of whatever would load it.
        writeImage(p->source(QStringLiteral("big.png")), QSize(1600, 1600), Qt::red);
        QVERIFY(QDir::setCurrent(p->source()));
        const QString name = QStringLiteral("<b>b<img src=big.png>&lt;.jpg"); // no "/": it is a file name

        QString shown;
        int height = 0;
        const auto look = [&](QWidget *widget, const QString &text) {
            QVERIFY(widget);
            shown = text;
            height = widget->sizeHint().height();
        };
        const auto tip = [&](const QString &toolTip) {
            // Qt reads a tooltip as markup when it looks like markup: what it then shows.
            QTextDocument document;
            Qt::mightBeRichText(toolTip) ? document.setHtml(toolTip) : document.setPlainText(toolTip);
            shown += (shown.isEmpty() ? "" : "|") + document.toPlainText(); // markup would not survive it
        };

        QtPlatform platform;
        if (where == QLatin1String("message box") || where == QLatin1String("question")) {
            QTimer::singleShot(0, this, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                look(box, box->windowTitle() + QLatin1Char('|') + box->text());
                box->reject();
            });
            if (where == QLatin1String("message box"))
                platform.messageBox(name);
            else
                platform.question(name, {QStringLiteral("Replace"), QStringLiteral("Cancel")}, 1, 1);
        } else if (where == QLatin1String("status bar")) {
            writeImage(p->source(name));
            p->startBatch();
            auto *panel = p->form()->StatusBar1->findChild<QLabel *>(QStringLiteral("StatusBar1_Panel1"));
            look(panel, panel->text());
        } else if (where == QLatin1String("left out")) {
            QCOMPARE(::mkfifo(QFile::encodeName(p->source(name)).constData(), 0600), 0);
            if (expected.startsWith(QLatin1Char('2'))) // and a name not in this system's encoding
                QCOMPARE(::close(::creat(QFile::encodeName(p->source()) + "/Caf\xE9.jpg", 0600)), 0);
            writeImage(p->source(QStringLiteral("ok.jpg")));
            p->chooseFolders(p->source());
            QLabel *label = p->dialog()->lblLeftOut;
            QTRY_VERIFY(!label->text().isEmpty());
            look(label, label->text());
            QVERIFY(label->isVisible());
            tip(label->toolTip());
            QCOMPARE(p->dialog()->List1->count(), 1); // ok.jpg alone is offered
        } else {
            p->form()->mnuOpen->trigger();
            QLineEdit *box = p->dialog()->txtSrcFolder;
            box->setText(QLatin1Char('/') + name);
            QTest::keyClick(box, Qt::Key_Return);
            tip(box->toolTip());
        }
        QCOMPARE(shown, expected.arg(name));
        QVERIFY2(height < 400, qPrintable(QString::number(height))); // no picture was loaded
    }

    void theDesktopPlatform()
    {
        QtPlatform platform;
        QCoreApplication::setApplicationVersion(QStringLiteral("3.14.15"));
        QCOMPARE(QList({platform.versionMajor(), platform.versionMinor(), platform.versionRevision()}), QList({3, 14, 15}));
        // The templates sit beside the program, wherever it was started from.
        QVERIFY(QDir::setCurrent(QDir::tempPath()));
        QCOMPARE(platform.programFolder(), QFileInfo(QCoreApplication::applicationFilePath()).absolutePath());

        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open");
        platform.openDocument(QStringLiteral("/tmp/my pages/#1 SlideShow.htm"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QVERIFY(!platform.openDocument(p->pagePath())); // offscreen, no program opens anything
        QCOMPARE(opened, QList{QUrl::fromLocalFile(QStringLiteral("/tmp/my pages/#1 SlideShow.htm"))});

        // The folder browser opens at the folder asked for, shows its photos
        // greyed and no other file, and leaves the user's home and
        // configuration folders as they were (empty here) but for the program's settings.
        writeImage(p->source(QStringLiteral("a.jpg")));
        writeFile(p->source(QStringLiteral("notes.txt")), "not a photo");
        QVERIFY(QDir(p->source()).mkdir(QStringLiteral("sub")));
        QString browsed;
        QStringList listed;
        QTimer::singleShot(50, this, [&browsed, &listed, folder = p->source()] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            const QAbstractItemModel *model = dialog->proxyModel();
            // The view moves to the folder and the listing fills in the background; an index read
            // before either has settled may already be gone.
            const auto view = dialog->findChild<QListView *>(QStringLiteral("listView"));
            (void)QTest::qWaitFor([&] { return view->rootIndex().data(QFileSystemModel::FilePathRole) == folder
                                               && model->rowCount(view->rootIndex()) >= 2; }, 20000);
            const QModelIndex root = view->rootIndex();
            for (int row = 0; row < model->rowCount(root); ++row)
                listed << model->index(row, 0, root).data().toString()
                        + (model->flags(model->index(row, 0, root)) & Qt::ItemIsEnabled ? QString() : QStringLiteral(" (greyed)"));
            browsed = dialog->directory().absolutePath();
            static_cast<QDialog *>(dialog)->accept();
        });
        QCOMPARE(platform.browseForFolder(QStringLiteral("Select a Source Folder"), p->source()), p->source());
        QCOMPARE(browsed, p->source());
        listed.sort();
        QCOMPARE(listed, QStringList({QStringLiteral("a.jpg (greyed)"), QStringLiteral("sub")}));
        // Neither the browse nor settings written after it write anywhere but the program's own file.
        Settings kept;
        kept.sourceFolder = p->source();
        QVERIFY(kept.write());
        QStringList files;
        for (const char *variable : {"HOME", "XDG_CONFIG_HOME"})
            for (QDirIterator it(qEnvironmentVariable(variable), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
                files << QDir(qEnvironmentVariable(variable)).relativeFilePath(it.next());
        QCOMPARE(files, QStringList(QStringLiteral("Fotoweave/Fotoweave.conf")));
        QCOMPARE(Settings::read().sourceFolder, p->source());
    }
};

int main(int argc, char *argv[])
{
    QTemporaryDir home, config;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fotoweave")); // message boxes take it as their title
    TestCore test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_core.moc"
