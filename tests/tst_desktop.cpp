// SPDX-License-Identifier: MIT
// Desktop habits: shortcuts and keys, typed and dropped folders, what a folder
// offers and in which order, captions from the photo's own description, the
// photo stood upright by its EXIF orientation, and a preview that fits the photo
// to its square, the window and the screen.
#include "windowprogram.h"

#include "commands/chain.h"
#include "core/general.h"
#include "document/slideshow.h"
#include "imaging/photodescription.h"
#include "imaging/prefetcher.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/fullscreenpreview.h"
#include "ui/picturebox.h"

#include <QtWidgets>
#include <QtTest>

// orientation: 10 + n is written big-endian; box: invalid for the preview's square.
struct Turned { QSize stored; int orientation; QSize box, upright, image; QColor topLeft; };
// where: the window, or the name of a folder box; given: typed then Enter, or dropped; %1 is the photo folder.
struct Chosen { QString where, given; bool taken; };
// grown: the window made larger by; painted: pixels of the preview box.
struct Painted { QString name; QSize photo, grown; QRectF painted; };
// kept: the window's geometry at the end; damage: written over the file before the next start; restored: invalid
// for a first start.
struct Remembered { QRect kept; bool maximised; QByteArray damage; QRect restored; };

class TestDesktop : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowProgram> p;

private slots:
    void init()
    {
        if (QByteArray(QTest::currentTestFunction()).startsWith("photo")) // pure logic: no window, no program
            return;
        p = std::make_unique<WindowProgram>();
        writeImage(p->source(QStringLiteral("a.jpg")), QSize(40, 30));
        writeImage(p->source(QStringLiteral("b.bmp")), QSize(40, 30));
    }
    void cleanup()
    {
        Prefetcher::shared().setLoader({});
        p.reset();
    }

    void keys_data()
    {
        QTest::addColumn<QKeySequence>("keys"); // in the main window during a batch, or in the Images window
        QTest::addColumn<QString>("effect");
        QTest::newRow("Ctrl+O") << QKeySequence(Qt::CTRL | Qt::Key_O) << "images window";
        QTest::newRow("Ctrl+W") << QKeySequence(Qt::CTRL | Qt::Key_W) << "idle";
        QTest::newRow("Ctrl+Q") << QKeySequence(Qt::CTRL | Qt::Key_Q) << "ended";
        QTest::newRow("F1") << QKeySequence(Qt::Key_F1) << "user guide";
        QTest::newRow("Enter in the Images window") << QKeySequence(Qt::Key_Return) << "started";
        // Keyboard only: the buttons' mnemonics, Alt+Right, and Tab in the order of the screen (Back is off).
        QTest::newRow("Alt+S") << QKeySequence(Qt::ALT | Qt::Key_S) << "skipped";
        QTest::newRow("Alt+Right") << QKeySequence(Qt::ALT | Qt::Key_Right) << "skipped";
        QTest::newRow("Alt+A") << QKeySequence(Qt::ALT | Qt::Key_A) << "added";
        QTest::newRow("Alt+X") << QKeySequence(Qt::ALT | Qt::Key_X) << "ended";
        QTest::newRow("Tab, Tab, Space") << QKeySequence(Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space) << "added";
        QTest::newRow("Tab, Tab, Tab, Space") << QKeySequence(Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space) << "ended";
    }

    void keys()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(QString, effect);
        const auto is = [&effect](const char *what) { return effect == QLatin1String(what); };
        p->chooseFolders(p->source());
        if (!is("started"))
            p->start();
        QWidget *window = is("started") ? static_cast<QWidget *>(p->dialog()) : p->form();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        for (int i = 0; i < keys.count(); ++i) // each key to where the focus is then
            QTest::keyClick(QApplication::focusWidget(), keys[i].key(), keys[i].keyboardModifiers());
        QTRY_COMPARE(p->shown(), QLatin1String(is("skipped") || is("added") ? "b.bmp" : "a.jpg"));
        QCOMPARE(int(objMediator->slideShow().slideCount()), is("added") ? 1 : 0);
        // The Images window shown; Skip shown and Add usable while a batch runs.
        QCOMPARE(QList({p->dialog()->isVisible(), p->form()->Next->isVisible(), p->form()->Command4->isEnabled()}),
                 QList({is("images window"), !is("idle"), !is("idle")}));
        QTRY_COMPARE(p->platform().programEnds, is("ended") ? 1 : 0); // a mnemonic clicks after a moment
        QCOMPARE(p->platform().openedDocuments.size(), is("user guide") ? 1 : 0);
    }

    void choosingAFolder_data()
    {
        QTest::addColumn<Chosen>("row");
        QTest::newRow("typed source") << Chosen{"txtSrcFolder", " %1/\t", true};
        QTest::newRow("typed missing source") << Chosen{"txtSrcFolder", "%1/missing", false};
        QTest::newRow("typed file as source") << Chosen{"txtSrcFolder", "%1/a.jpg", false};
        QTest::newRow("typed target") << Chosen{"txtTgtFolder", "%1", true};
        QTest::newRow("folder dropped on the main window") << Chosen{"main", "file:%1", true};
        QTest::newRow("file dropped on the Images window") << Chosen{"images", "file:%1/b.bmp", true};
        QTest::newRow("folder dropped on a folder box") << Chosen{"txtTgtFolder", "file:%1", true};
        QTest::newRow("web address dropped") << Chosen{"main", "https://example.org/photos/", false};
        QTest::newRow("text dropped") << Chosen{"images", "%1", false};
    }

    void choosingAFolder()
    {
        QFETCH(Chosen, row);
        const auto &[where, given, taken] = row;
        const bool dropped = QByteArray(QTest::currentDataTag()).contains("dropped");
        const QString text = given.contains(QLatin1String("%1")) ? given.arg(p->source()) : given;
        if (where != QLatin1String("main")) {
            p->form()->mnuOpen->trigger();
            QVERIFY(QTest::qWaitForWindowActive(p->dialog()));
        }
        QWidget *widget = where == QLatin1String("main") ? static_cast<QWidget *>(p->form())
            : where == QLatin1String("images")          ? static_cast<QWidget *>(p->dialog())
                                                        : p->dialog()->findChild<QLineEdit *>(where);
        if (dropped) {
            QMimeData data;
            text.contains(QLatin1Char(':')) ? data.setUrls({QUrl(text)}) : data.setText(text);
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(widget, &enter);
            QCOMPARE(enter.isAccepted(), taken);
            QDropEvent drop(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            if (taken)
                QApplication::sendEvent(widget, &drop);
        } else {
            widget->setFocus();
            QTest::keyClicks(widget, text);
            QTest::keyClick(widget, Qt::Key_Return);
            QCOMPARE(objMediator->GetTgtFolder(), taken ? p->source() : QString());
            QCOMPARE(widget->toolTip().isEmpty(), taken);
        }
        const bool source = taken && (dropped || where == QLatin1String("txtSrcFolder"));
        QCOMPARE(objMediator->GetSourceFolder(), source ? p->source() : QString());
        QTRY_COMPARE(p->dialog()->List1->count(), source ? 2 : 0);
        // Enter in a folder box does not start the batch.
        QCOMPARE(p->dialog()->isVisible(), taken || where != QLatin1String("main"));
        if (!dropped && taken) { // the browser then starts at the typed folder
            p->platform().folderAnswers.enqueue(QString());
            QTest::mouseClick(source ? p->dialog()->btnSource : p->dialog()->btnTarget, Qt::LeftButton);
            QCOMPARE(p->platform().folderStarts, QStringList{p->source()});
        }
    }

    // What a folder offers, in order: the extension after the last dot, any case, of jpg, bmp or gif;
    // numbers compare by value, equal values by their text.
    void photosAFolderOffers_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("extensions") << QStringList{"photo.JPEG", ".jpg", "jpg", "a.jpg.txt", "a.", "b.jpg.", "c.jpg ", "d.Gif", "e.bMp", "x.tar.jpg"}
                                    << QStringList{".jpg", "d.Gif", "e.bMp", "x.tar.jpg"};
        QTest::newRow("leading zeros") << QStringList{"img10.jpg", "img7.jpg", "img007.jpg", "img8.jpg", "img07.jpg"}
                                       << QStringList{"img007.jpg", "img07.jpg", "img7.jpg", "img8.jpg", "img10.jpg"};
        QTest::newRow("hidden, case, folders") << QStringList{"case.jpg", ".hidden.jpg", "Case.jpg", "sub.jpg/"}
                                               << QStringList{".hidden.jpg", "Case.jpg", "case.jpg"};
        QTest::newRow("numbers first") << QStringList{"a.jpg", "10.jpg", "_.jpg", "9.jpg"} << QStringList{"9.jpg", "10.jpg", "_.jpg", "a.jpg"};
        QTest::newRow("long numbers") << QStringList{"p99999999999999999999.jpg", "p12345678901.jpg", "p9999999999.jpg"}
                                      << QStringList{"p9999999999.jpg", "p12345678901.jpg", "p99999999999999999999.jpg"};
    }

    void photosAFolderOffers()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, offered);
        QTemporaryDir folder;
        for (const QString &name : files)
            name.endsWith(u'/') ? void(QDir(folder.path()).mkdir(name)) : writeFile(folder.filePath(name), "x");
        QStringList listed;
        for (const ImageFolder::Entry &file : ImageFolder::list(folder.path()))
            if (Chain::acceptsExtension(ImageFolder::extensionName(file.name)))
                listed << file.name;
        QCOMPARE(listed, offered);
    }

    // A JPEG stored with red, green, blue and yellow quarters (from the top left, across) and an EXIF
    // orientation: its size and pictures are those of the photo stood upright, in the preview's
    // square and in a box such as the web-sized copy's.
    void photosStoodUpright_data()
    {
        QTest::addColumn<Turned>("row");
        const QSize wide(40, 20), tall(20, 40), preview;
        const QColor colours[]{Qt::red, Qt::green, Qt::yellow, Qt::blue, Qt::red, Qt::blue, Qt::yellow, Qt::green};
        for (int n = 1; n <= 8; ++n)
            QTest::addRow("orientation %d", n) << Turned{wide, n, preview, n < 5 ? wide : tall, n < 5 ? wide : tall, colours[n - 1]};
        QTest::newRow("orientation 6, big-endian") << Turned{wide, 16, preview, tall, tall, Qt::blue};
        QTest::newRow("preview of a turned photo") << Turned{{600, 1200}, 6, preview, {1200, 600}, {233, 117}, Qt::blue};
        QTest::newRow("web copy, tall once turned") << Turned{{3000, 1000}, 6, {2048, 2048}, {1000, 3000}, {682, 2048}, Qt::blue};
        QTest::newRow("web copy, a thin line") << Turned{{5000, 2}, 1, {2048, 2048}, {5000, 2}, {2048, 1}, {}}; // red and blue run together
    }

    void photosStoodUpright()
    {
        QFETCH(Turned, row);
        const auto &[stored, orientation, box, upright, image, topLeft] = row;
        QImage quarters(stored, QImage::Format_RGB32);
        const int w = stored.width() / 2, h = std::max(1, stored.height() / 2);
        for (const auto &[x, y, colour] : {std::tuple(0, 0, Qt::red), {w, 0, Qt::green}, {0, h, Qt::blue}, {w, h, Qt::yellow}})
            QPainter(&quarters).fillRect(x, y, w, h, colour);
        QBuffer jpeg;
        QVERIFY(jpeg.open(QIODevice::ReadWrite) && quarters.save(&jpeg, "JPG", 100));
        // An APP1 segment with one IFD entry, Orientation (0x0112, SHORT, 1), put right after the start of image.
        const bool mm = orientation > 10;
        const char n = char(orientation % 10);
        const QByteArray exif = mm ? QByteArray("Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0", 25) + n + QByteArray(6, 0)
                                   : QByteArray("Exif\0\0II\x2A\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 24) + n + QByteArray(7, 0);
        jpeg.buffer().insert(2, "\xFF\xE1" + QByteArray(1, 0) + char(exif.size() + 2) + exif);
        jpeg.seek(0);
        PreviewLoader::Limits limits;
        limits.box = box;
        const std::optional<PreviewLoader::Picture> picture = PreviewLoader::load(&jpeg, limits);
        QVERIFY(picture);
        QCOMPARE(picture->naturalTwips, QSizeF(upright * PreviewLoader::TwipsPerPixel));
        QCOMPARE(picture->image.size(), image);
        const QColor seen = picture->image.pixel(0, 0);
        const int off = std::max({std::abs(seen.red() - topLeft.red()), std::abs(seen.green() - topLeft.green()),
                                  std::abs(seen.blue() - topLeft.blue())});
        QVERIFY2(!topLeft.isValid() || off <= 60, qPrintable(seen.name()));
    }

    // Each photo tests/data/described-<row>.jpg carries one description, as photo managers write them.
    void photoCaptions_data()
    {
        QTest::addColumn<QString>("suggested");
        // EXIF: fullScreen finds "Harbour at dawn" in described-exif.jpg.
        QTest::newRow("xmp") << "Café à Noël after dinner"; // two lines: "Café à Noël\nafter dinner"
        QTest::newRow("iptc") << "Grandma's 90th";
        QTest::newRow("olympus") << ""; // "OLYMPUS DIGITAL CAMERA"
        QTest::newRow("sony") << "";    // "SONY DSC"
        QTest::newRow("blanks") << "";
        QTest::newRow("model") << "";    // the camera's name, "Canon EOS 5D", as description and model
        QTest::newRow("filename") << ""; // a file name, "IMG_0042"
    }

    void photoCaptions()
    {
        QFETCH(QString, suggested);
        const QString photo = QStringLiteral("described-%1.jpg").arg(QLatin1String(QTest::currentDataTag()));
        QCOMPARE(PhotoDescription::read(fixture(photo)), suggested);
    }

    // The photo is fitted into the preview's square, never enlarged, and centred
    // in it; in a larger window it fits the whole preview box while the buttons
    // keep to the bottom right. A larger photo is on show first: none of it may remain.
    void paintsThePhotoCentredInItsSquare_data()
    {
        QTest::addColumn<Painted>("row");
        QTest::newRow("wide 7:1") << Painted{"a.bmp", {700, 100}, {0, 0}, {0, 100, 233.3, 33.3}};
        QTest::newRow("4:5") << Painted{"a.bmp", {400, 500}, {0, 0}, {23.3, 0, 186.7, 233.3}};
        QTest::newRow("small, unscaled") << Painted{"a.bmp", {100, 80}, {0, 0}, {66.7, 76.7, 100, 80}};
        QTest::newRow("just inside") << Painted{"a.bmp", {225, 225}, {0, 0}, {4.2, 4.2, 225, 225}};
        QTest::newRow("jpeg") << Painted{"a.jpg", {1200, 600}, {0, 0}, {0, 58.3, 233.3, 116.7}};
        // Larger than designed, the photo fits the whole box, 541 x 375.
        QTest::newRow("larger window") << Painted{"a.jpg", {600, 400}, {300, 150}, {0, 7.2, 541, 360.7}};
        QTest::newRow("larger window, portrait") << Painted{"a.jpg", {400, 600}, {300, 150}, {145.5, 0, 250, 375}};
        QTest::newRow("larger window, small photo") << Painted{"a.jpg", {60, 40}, {300, 150}, {240.5, 167.5, 60, 40}};
    }

    void paintsThePhotoCentredInItsSquare()
    {
        QFETCH(Painted, row);
        const auto &[name, photo, grown, painted] = row;
        QVERIFY(QFile::remove(p->source(QStringLiteral("a.jpg"))) && QFile::remove(p->source(QStringLiteral("b.bmp"))));
        writeImage(p->source(QStringLiteral("0big.bmp")), QSize(600, 600), Qt::blue);
        writeImage(p->source(name), photo, QColor(20, 40, 220));
        p->startBatch();
        Form2 *form = p->form();
        QCOMPARE(form->centralWidget()->size(), QSize(605, 462)); // 9075 x 6930 twips
        form->resize(form->size() + grown);
        QTRY_COMPARE(form->PicBox->size(), QSize(241, 225) + grown);
        QCOMPARE(form->Command1->geometry().bottomRight(), QPoint(584, 432) + QPoint(grown.width(), grown.height()));
        QCOMPARE(form->Picture1->geometry(), QRect(0, 16, 185, 281)); // the film strip stays where it is
        p->skip();
        QTRY_COMPARE(paintedAt(form->PicBox->drawing(), painted, QColor(20, 40, 220)), QString());
        QVERIFY(p->messages().isEmpty());
    }

    // Catches a choice forgotten between runs, the settings written anywhere
    // but their one file or before the program ends, a damaged file taken for
    // settings or as fatal, and a window restored off the screen.
    void choicesAreRemembered_data()
    {
        QTest::addColumn<Remembered>("row");
        const QRect kept(30, 40, 700, 500);
        QTest::newRow("resized") << Remembered{kept, false, {}, kept};
        QTest::newRow("maximised") << Remembered{kept, true, {}, kept};
        QTest::newRow("on a screen that is gone") << Remembered{{2500, -900, 700, 500}, false, {}, {100, 0, 700, 500}};
        QTest::newRow("damaged") << Remembered{kept, true,
            QByteArray("\0\xff[folders]\nsource=@Rect(1 2)\nwebSized=1\n[window]\ngeometry=x", 60), {}};
    }

    void choicesAreRemembered()
    {
        QFETCH(Remembered, row);
        const auto &[kept, maximised, damage, restored] = row;
        QTemporaryDir home, config, photos;
        const QByteArray realHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        const auto written = [&] {
            QStringList files;
            for (const QTemporaryDir *dir : {&home, &config})
                for (QDirIterator it(dir->path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
                    files << QDir(dir->path()).relativeFilePath(it.next());
            return files;
        };
        writeImage(photos.filePath(QStringLiteral("a.jpg")));
        const QString out = photos.filePath(QStringLiteral("out")), source = restored.isValid() ? photos.path() : QString();
        QVERIFY(QDir().mkdir(out));
        p.reset();
        p = std::make_unique<WindowProgram>(config.path());
        p->chooseFolders(photos.path(), out);
        p->setWebSized(true);
        p->form()->setGeometry(kept);
        p->form()->setWindowState(maximised ? Qt::WindowMaximized : Qt::WindowNoState);
        QCOMPARE(written(), QStringList());
        p->form()->mnuExit->trigger();
        QCOMPARE(written(), QStringList(QStringLiteral("Fotoweave/Fotoweave.conf")));
        if (!damage.isNull())
            writeFile(config.filePath(QStringLiteral("Fotoweave/Fotoweave.conf")), damage);

        p.reset();
        p = std::make_unique<WindowProgram>(config.path());
        qputenv("HOME", realHome);
        Form2 *form = p->form();
        QCOMPARE(restored.isValid() ? form->normalGeometry().size() : form->centralWidget()->size(), restored.isValid() ? restored.size() : QSize(605, 462));
        QCOMPARE(form->normalGeometry().topLeft(), restored.isValid() ? restored.topLeft() : form->normalGeometry().topLeft());
        QCOMPARE(form->isMaximized(), maximised && restored.isValid());
        form->mnuOpen->trigger();
        QCOMPARE(QStringList({p->dialog()->txtSrcFolder->text(), p->dialog()->txtTgtFolder->text()}), QStringList({source, source.isEmpty() ? source : out}));
        QCOMPARE(p->dialog()->chkWebSized->isChecked(), restored.isValid());
        QTRY_COMPARE(p->dialog()->List1->count(), restored.isValid() ? 1 : 0);
    }

    void decodesAtTheScreensPixels()
    {
        // Run once as it is and once with QT_SCALE_FACTOR=2.
        writeImage(p->source(QStringLiteral("a.jpg")), QSize(4000, 3000));
        Form2 *form = p->form();
        // The offscreen screen is too small for the window at scale 2: give it its designed size.
        form->setMinimumSize(0, 0);
        form->resize(form->size() + (QSize(605, 462) - form->centralWidget()->size()));
        p->startBatch();
        QTRY_COMPARE(form->PicBox->size(), QSize(241, 225));
        const qreal ratio = form->devicePixelRatioF();
        QVERIFY(ratio == 1.0 || ratio == 2.0);
        QCOMPARE(form->pichidden->picture().size(), ratio == 2.0 ? QSize(467, 350) : QSize(233, 175));
        QCOMPARE(form->pichidden->picture().devicePixelRatio(), ratio);
        QCOMPARE(form->PicBox->drawing().size(), ratio == 2.0 ? QSize(482, 450) : QSize(241, 225));
        // Shorter than designed (a small screen), the film strip is whole: smaller, its dark bottom edge in view.
        form->resize(form->size() - QSize(0, 60));
        QTRY_COMPARE(form->Picture1->height(), 221);
        const QImage strip = form->Picture1->drawing();
        QCOMPARE(strip.pixelColor(QPoint(2, 100) * ratio), QColor(Qt::white));
        QVERIFY2(qGray(strip.pixel(QPoint(92, 219) * ratio)) < 80, qPrintable(strip.pixelColor(QPoint(92, 219) * ratio).name()));
    }

    // A photo's own description stands selected in the caption box, so typing replaces it.
    // F11 fits the photo, stood upright by its EXIF orientation, to the screen, with the
    // caption box (typing, arrows and Space edit it), the position and the keys; Enter adds
    // with that caption, Alt+Left goes back, Page Down skips, and Escape gives the keys back
    // to the window.
    void fullScreen()
    {
        QVERIFY(QFile::copy(fixture(QStringLiteral("described-exif.jpg")), p->source(QStringLiteral("0.jpg"))));
        QVERIFY(QFile::remove(p->source(QStringLiteral("a.jpg"))));
        QVERIFY(QFile::copy(fixture(QStringLiteral("camera.jpg")), p->source(QStringLiteral("a.jpg"))));
        p->startBatch();
        QTRY_COMPARE(p->form()->txtCaption->selectedText(), QStringLiteral("Harbour at dawn"));
        p->add(QStringLiteral("Mine"));
        QVERIFY2(p->page().contains("Caption[1] = 'Mine'"), p->page().constData());
        p->form()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p->form()));
        QTest::keyClick(p->form(), Qt::Key_F11);
        FullScreenPreview *full = p->form()->fullScreenPreview();
        QVERIFY(QTest::qWaitForWindowActive(full) && full->isFullScreen());
        QTRY_COMPARE(full->image().size(), QSize(533, 800)); // fitted to the offscreen screen
        QLineEdit *caption = full->caption();
        QCOMPARE(QApplication::focusWidget(), caption);
        QVERIFY(full->overlayShown() && full->hintShown());
        QCOMPARE(full->findChild<QLabel *>(QStringLiteral("fullScreenPosition"))->text(), QStringLiteral("2 of 3 · a.jpg"));
        QTest::keyClicks(caption, QStringLiteral("Sa"));
        QTest::keyClick(caption, Qt::Key_Left);
        QTest::keyClicks(caption, QStringLiteral(" e"));
        QTest::keyClick(caption, Qt::Key_Return);
        QCOMPARE(p->shown(), QStringLiteral("b.bmp"));
        QVERIFY2(p->page().contains("Caption[2] = 'S ea'"), p->page().constData());
        QTRY_COMPARE(full->image().size(), QSize(40, 30));
        QTest::keyClick(caption, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(p->shown(), QStringLiteral("a.jpg"));
        QCOMPARE(caption->selectedText(), QStringLiteral("S ea")); // put back, ready to be corrected
        QTest::keyClick(caption, Qt::Key_PageDown);
        QCOMPARE(p->shown(), QStringLiteral("b.bmp"));
        QVERIFY(!p->page().contains("Picture[2]"));
        QTest::keyClick(caption, Qt::Key_Escape);
        QVERIFY(!full->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), p->form()->txtCaption);
    }

    // Catches a full-screen decode on the window's thread, or one without the
    // preview's budgets: a hostile file (a progressive JPEG claiming 30000 x 30000)
    // is refused by them before it is decoded, and the screen stays black.
    void fullScreenKeepsToTheBudgets()
    {
        p->startBatch();
        std::atomic<QThread *> thread = nullptr;
        PreviewLoader::Refusal refusal = PreviewLoader::Refusal::Unreadable;
        Prefetcher::shared().setLoader([&](const QString &path, const PreviewLoader::Limits &limits) {
            PreviewLoader::Limits told = limits;
            if (limits.box.isValid()) { // the full-screen decode
                thread = QThread::currentThread();
                told.refusal = &refusal;
            }
            return PreviewLoader::load(path, told);
        });
        FullScreenPreview *full = p->form()->fullScreenPreview();
        QSignalSpy arrived(full, &FullScreenPreview::photoArrived);
        full->showPhoto(fixture(QStringLiteral("huge-progressive.jpg")));
        QTRY_COMPARE_WITH_TIMEOUT(arrived.count(), 1, 20000); // it may arrive while the window is shown
        Prefetcher::shared().setLoader({});
        QVERIFY(thread && thread != QThread::currentThread());
        QCOMPARE(refusal, PreviewLoader::Refusal::OverBudget);
        QCOMPARE(full->image().size(), QSize(0, 0));
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
