// SPDX-License-Identifier: MIT
// Desktop habits: shortcuts and keys, typed and dropped folders, a folder
// browser that leaves no settings behind, captions from the photo's own
// description, and a preview that follows the window and the screen.
#include "testsupport.h"

#include "core/general.h"
#include "document/slideshow.h"
#include "imaging/photodescription.h"
#include "platform/qtplatform.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/fullscreenpreview.h"
#include "ui/picturebox.h"

#include <QAction>
#include <QDirIterator>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations" // exiv2 0.27 uses std::auto_ptr
#include <exiv2/exiv2.hpp>

namespace {
/** Writes one kind of description into the JPEG at path, as photo managers do. */
void describe(const QString &path, const QString &kind, const QString &text)
{
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    image->readMetadata();
    const std::string utf8 = text.toStdString();
    if (kind == QLatin1String("exif"))
        image->exifData()["Exif.Image.ImageDescription"] = utf8;
    else if (kind == QLatin1String("xmp"))
        image->xmpData()["Xmp.dc.description"] = "lang=\"x-default\" " + utf8;
    else if (kind == QLatin1String("iptc"))
        image->iptcData()["Iptc.Application2.Caption"] = utf8;
    if (kind == QLatin1String("model")) {
        image->exifData()["Exif.Image.Model"] = utf8;
        image->exifData()["Exif.Image.ImageDescription"] = utf8;
    }
    image->writeMetadata();
}
#pragma GCC diagnostic pop

/** Empty when the pixels just inside rect (box pixels) have colour and those just outside are white. */
QString paintedAt(const QImage &drawing, const QRectF &rect, QColor colour)
{
    const QRectF box(QPointF(0, 0), drawing.deviceIndependentSize());
    const auto wrong = [&](QPointF at, QColor want) {
        const QColor got = drawing.pixelColor(int(at.x()), int(at.y()));
        return box.contains(at) && std::abs(got.red() - want.red()) + std::abs(got.blue() - want.blue()) > 40;
    };
    const QRectF in = rect.adjusted(2, 2, -2, -2), out = rect.adjusted(-2, -2, 2, 2);
    for (const QRectF &r : {in, out})
        for (const QPointF &at : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
            if (wrong(at, r == in ? colour : QColor(Qt::white)))
                return QStringLiteral("wrong at %1, %2").arg(at.x()).arg(at.y());
    return QString();
}
}

class TestDesktop : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        p = std::make_unique<TestProgram>();
        writeImage(p->source(QStringLiteral("a.jpg")), QSize(40, 30));
        writeImage(p->source(QStringLiteral("b.bmp")), QSize(40, 30));
    }
    void cleanup() { p.reset(); }

    void keys_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("effect");
        QTest::newRow("Ctrl+O") << "main" << QKeySequence(Qt::CTRL | Qt::Key_O) << "images window";
        QTest::newRow("Ctrl+W") << "main" << QKeySequence(Qt::CTRL | Qt::Key_W) << "idle";
        QTest::newRow("Ctrl+Q") << "main" << QKeySequence(Qt::CTRL | Qt::Key_Q) << "ended";
        QTest::newRow("F1") << "main" << QKeySequence(Qt::Key_F1) << "user guide";
        QTest::newRow("Enter in the Images window") << "images" << QKeySequence(Qt::Key_Return) << "started";
        QTest::newRow("Escape in the Images window") << "images" << QKeySequence(Qt::Key_Escape) << "";
    }

    void keys()
    {
        QFETCH(QString, where);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, effect);
        p->chooseFolders(p->source());
        QWidget *window = p->dialog();
        if (where == QLatin1String("main")) {
            p->start();
            window = p->form();
        }
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        if (window == p->dialog())
            QCOMPARE(QApplication::focusWidget(), p->dialog()->Command1); // Start, also after choosing a folder
        QTest::keySequence(QApplication::focusWidget(), keys);
        const bool running = effect == QLatin1String("started") || (window == p->form() && effect != QLatin1String("idle"));
        QCOMPARE(p->dialog()->isVisible(), effect == QLatin1String("images window"));
        QCOMPARE(p->form()->Next->isVisible(), running);
        QCOMPARE(p->form()->Command4->isEnabled(), running);
        QCOMPARE(p->platform().programEnds, effect == QLatin1String("ended") ? 1 : 0);
        QCOMPARE(p->platform().openedDocuments.size(), effect == QLatin1String("user guide") ? 1 : 0);
    }

    void typedFolders_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("taken");
        QTest::newRow("source") << "txtSrcFolder" << " %1/\t" << true;
        QTest::newRow("missing source") << "txtSrcFolder" << "%1/missing" << false;
        QTest::newRow("file as source") << "txtSrcFolder" << "%1/a.jpg" << false;
        QTest::newRow("relative source") << "txtSrcFolder" << "photos" << false;
        QTest::newRow("target") << "txtTgtFolder" << "%1" << true;
    }

    void typedFolders()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(bool, taken);
        const bool source = box == QLatin1String("txtSrcFolder");
        p->form()->mnuOpen->trigger();
        QVERIFY(QTest::qWaitForWindowActive(p->dialog()));
        auto *edit = p->dialog()->findChild<QLineEdit *>(box);
        edit->setFocus();
        QTest::keyClicks(edit, typed.contains(QLatin1String("%1")) ? typed.arg(p->source()) : typed);
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY2(p->dialog()->isVisible(), "Enter in a folder box must not start the batch");
        QCOMPARE(objMediator->GetSourceFolder(), taken && source ? p->source() : QString());
        QCOMPARE(objMediator->GetTgtFolder(), taken ? p->source() : QString());
        QTRY_COMPARE(p->dialog()->List1->count(), taken && source ? 2 : 0);
        QCOMPARE(edit->toolTip().isEmpty(), taken);
        // Leaving the box takes a corrected path too; the browser then starts there.
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, p->target());
        p->dialog()->Command2->setFocus();
        QCOMPARE(objMediator->GetTgtFolder(), p->target());
        p->platform().folderAnswers.enqueue(QString());
        QTest::mouseClick(source ? p->dialog()->btnSource : p->dialog()->btnTarget, Qt::LeftButton);
        QCOMPARE(p->platform().folderStarts, QStringList{p->target()});
    }

    void drops_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QUrl>("dropped");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("folder on the main window") << "main" << QUrl::fromLocalFile(QStringLiteral("%1")) << true;
        QTest::newRow("file on the Images window") << "images" << QUrl::fromLocalFile(QStringLiteral("%1/b.bmp")) << true;
        QTest::newRow("folder on a folder box") << "box" << QUrl::fromLocalFile(QStringLiteral("%1")) << true;
        QTest::newRow("web address") << "main" << QUrl(QStringLiteral("https://example.org/photos/")) << false;
        QTest::newRow("text") << "images" << QUrl() << false;
    }

    void drops()
    {
        QFETCH(QString, window);
        QFETCH(QUrl, dropped);
        QFETCH(bool, accepted);
        QMimeData data;
        if (dropped.isEmpty())
            data.setText(p->source());
        else
            data.setUrls({dropped.isLocalFile() ? QUrl::fromLocalFile(dropped.toLocalFile().arg(p->source())) : dropped});
        QWidget *target = p->form();
        if (window != QLatin1String("main")) {
            p->form()->mnuOpen->trigger();
            target = window == QLatin1String("box") ? static_cast<QWidget *>(p->dialog()->txtTgtFolder) : p->dialog();
        }
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QCOMPARE(enter.isAccepted(), accepted);
        QDropEvent drop(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        if (accepted)
            QApplication::sendEvent(target, &drop);
        QCOMPARE(objMediator->GetSourceFolder(), accepted ? p->source() : QString());
        QTRY_COMPARE(p->dialog()->List1->count(), accepted ? 2 : 0);
        QCOMPARE(p->dialog()->isVisible(), accepted || window != QLatin1String("main"));
    }

    void theFolderBrowserKeepsNoSettings_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("accept");
        QTest::newRow("chosen") << "%1" << true;
        QTest::newRow("cancelled, no such start folder") << "%1/missing" << false;
    }

    void theFolderBrowserKeepsNoSettings()
    {
        QFETCH(QString, start);
        QFETCH(bool, accept);
        QString opened;
        QTimer::singleShot(50, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            opened = dialog->directory().absolutePath();
            accept ? static_cast<QDialog *>(dialog)->accept() : dialog->reject();
        });
        const QString chosen = QtPlatform().browseForFolder(QStringLiteral("Select a Source Folder"), start.arg(p->source()));
        QCOMPARE(opened, accept ? p->source() : QDir::homePath());
        QCOMPARE(chosen, accept ? p->source() : QString());
        for (const char *variable : {"HOME", "XDG_CONFIG_HOME"}) {
            QDirIterator it(qEnvironmentVariable(variable), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
            QVERIFY2(!it.hasNext(), qPrintable(it.hasNext() ? it.next() : QString()));
        }
    }

    void captionsFromThePhoto_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("suggested");
        QTest::newRow("EXIF") << "exif" << "Harbour at dawn" << "Harbour at dawn";
        QTest::newRow("XMP, two lines") << "xmp" << "Café à Noël\nafter dinner" << "Café à Noël after dinner";
        QTest::newRow("IPTC") << "iptc" << "Grandma's 90th" << "Grandma's 90th";
        QTest::newRow("Olympus") << "exif" << "OLYMPUS DIGITAL CAMERA" << "";
        QTest::newRow("Sony") << "iptc" << "SONY DSC" << "";
        QTest::newRow("blanks") << "exif" << "                " << "";
        QTest::newRow("the camera's name") << "model" << "Canon EOS 5D" << "";
        QTest::newRow("a file name") << "xmp" << "IMG_0042" << "";
        QTest::newRow("damaged EXIF") << "damaged" << "" << "";
    }

    void captionsFromThePhoto()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QString, suggested);
        const QString path = p->source(QStringLiteral("a.jpg"));
        if (kind == QLatin1String("damaged")) {
            // One entry: ImageDescription, 2^31 - 1 characters at offset 2^31 - 16.
            const QByteArray tiff = QByteArray("Exif\0\0II*\0\x08\0\0\0\x01\0", 16)
                + QByteArray("\x0E\x01\x02\0\xFF\xFF\xFF\x7F\xF0\xFF\xFF\x7F\0\0\0\0", 16);
            writeFile(path, readFile(path).insert(2, QByteArray("\xFF\xE1\0\x22", 4) + tiff));
            QCOMPARE(PhotoDescription::read(readFile(path).left(30)), QString());
        } else {
            describe(path, kind, text);
        }
        QCOMPARE(PhotoDescription::read(path), suggested);
        // In the window the suggestion stands selected, so typing replaces it.
        QFile::remove(p->source(QStringLiteral("b.bmp")));
        p->startBatch();
        QTRY_COMPARE(p->form()->txtCaption->selectedText(), suggested);
        p->add(QStringLiteral("Mine"));
        QVERIFY2(p->page().contains("Caption[1] = 'Mine'"), p->page().constData());
    }

    void resizingRefitsThePreview_data()
    {
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<QSize>("grown");
        QTest::addColumn<QRectF>("painted"); // pixels of the preview box
        QTest::newRow("designed size") << QSize(600, 400) << QSize(0, 0) << QRectF(0, 38.9, 233.3, 155.6);
        QTest::newRow("larger") << QSize(600, 400) << QSize(300, 150) << QRectF(75, 63.9, 383.3, 255.6);
        QTest::newRow("taller") << QSize(400, 600) << QSize(100, 400) << QRectF(55.6, 150, 222.2, 333.3);
        QTest::newRow("never enlarged") << QSize(60, 40) << QSize(300, 150) << QRectF(236.7, 171.7, 60, 40);
    }

    void resizingRefitsThePreview()
    {
        QFETCH(QSize, photo);
        QFETCH(QSize, grown);
        QFETCH(QRectF, painted);
        QFile::remove(p->source(QStringLiteral("b.bmp")));
        writeImage(p->source(QStringLiteral("a.jpg")), photo, QColor(20, 40, 220));
        p->startBatch();
        Form2 *form = p->form();
        QCOMPARE(form->centralWidget()->size(), QSize(605, 462)); // 9075 x 6930 twips
        form->resize(form->size() + grown);
        QTRY_COMPARE(form->PicBox->size(), QSize(241, 225) + grown);
        // The buttons keep to the bottom right, the film strip stays where it is.
        QCOMPARE(form->Command1->geometry().bottomRight(), QPoint(584, 432) + QPoint(grown.width(), grown.height()));
        QCOMPARE(form->Picture1->geometry(), QRect(0, 16, 185, 281));
        QTRY_VERIFY2(paintedAt(form->PicBox->drawing(), painted, QColor(20, 40, 220)).isEmpty(),
                     qPrintable(paintedAt(form->PicBox->drawing(), painted, QColor(20, 40, 220))));
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
    }

    void fullScreen_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("onShow");
        QTest::newRow("Escape returns") << true << int(Qt::Key_Escape) << "";
        QTest::newRow("F11 returns") << false << int(Qt::Key_F11) << "";
        QTest::newRow("Enter adds") << false << int(Qt::Key_Return) << "b.bmp";
        QTest::newRow("Space skips") << true << int(Qt::Key_Space) << "b.bmp";
    }

    void fullScreen()
    {
        QFETCH(bool, doubleClick);
        QFETCH(int, key);
        QFETCH(QString, onShow);
        writeImage(p->source(QStringLiteral("a.jpg")), QSize(3000, 1000));
        p->startBatch();
        Form2 *form = p->form();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        if (doubleClick)
            QTest::mouseDClick(form->PicBox, Qt::LeftButton);
        else
            QTest::keyClick(form, Qt::Key_F11);
        FullScreenPreview *full = form->fullScreenPreview();
        QVERIFY(full->isFullScreen());
        QVERIFY(QTest::qWaitForWindowActive(full));
        // Fitted to the offscreen screen of 800 x 600, proportions kept.
        QCOMPARE(full->image().size(), QSize(800, 266));
        QTest::keyClick(full, Qt::Key(key));
        QCOMPARE(full->isVisible(), !onShow.isEmpty());
        QCOMPARE(p->shown(), onShow.isEmpty() ? QStringLiteral("a.jpg") : onShow);
        QCOMPARE(int(lngSlideCount), key == Qt::Key_Return ? 1 : 0);
        if (!onShow.isEmpty())
            QCOMPARE(full->image().size(), QSize(40, 30)); // the next photo, at its own size
    }

private:
    std::unique_ptr<TestProgram> p;
};

int main(int argc, char *argv[])
{
    // The folder browser must leave the user's home and configuration folders alone.
    QTemporaryDir home, config;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QApplication app(argc, argv);
    TestDesktop test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktop.moc"
