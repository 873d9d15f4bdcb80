// SPDX-License-Identifier: MIT
// The desktop habits of the program: shortcuts, the Images window's keys and
// typed folders, drag and drop, the folder browser leaving no settings behind,
// captions suggested from the photo's own description, and a preview that
// grows with the window.
#include "testsupport.h"

#include "core/general.h"
#include "imaging/parseobject.h"
#include "imaging/photodescription.h"
#include "platform/qtplatform.h"
#include "ui/form1.h"
#include "document/slideshow.h"
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
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <exiv2/exiv2.hpp>

namespace {
/** Writes one kind of description into the JPEG at path, the way photo managers do. */
void describe(const QString &path, const QString &kind, const QString &text, const QString &model = QString())
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
    if (!model.isEmpty())
        image->exifData()["Exif.Image.Model"] = model.toStdString();
    image->writeMetadata();
}
#pragma GCC diagnostic pop

/** Which of the corners just inside rect (pixels) have colour, and which just outside are white. */
QString paintedAt(const QImage &drawing, const QRectF &rect, QColor colour)
{
    const auto near = [&drawing](QPointF at, QColor want) {
        const QColor got = drawing.pixelColor(int(at.x()), int(at.y()));
        return std::abs(got.red() - want.red()) + std::abs(got.green() - want.green())
            + std::abs(got.blue() - want.blue()) < 40;
    };
    const QRectF in = rect.adjusted(2, 2, -2, -2);
    const QRectF out = rect.adjusted(-2, -2, 2, 2);
    QStringList wrong;
    const QRectF box(QPointF(0, 0), drawing.deviceIndependentSize());
    for (const QPointF &at : {in.topLeft(), in.topRight(), in.bottomLeft(), in.bottomRight(), in.center()})
        if (box.contains(at) && !near(at, colour))
            wrong << QStringLiteral("inside (%1, %2)").arg(at.x()).arg(at.y());
    for (const QPointF &at : {out.topLeft(), out.topRight(), out.bottomLeft(), out.bottomRight()})
        if (box.contains(at) && !near(at, Qt::white))
            wrong << QStringLiteral("outside (%1, %2)").arg(at.x()).arg(at.y());
    return wrong.join(QStringLiteral(", "));
}

/** Every file below folder, as paths relative to it. */
QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    return files;
}
}

class TestDesktop : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_program = std::make_unique<TestProgram>();
        m_photos = std::make_unique<QTemporaryDir>();
        QVERIFY2(m_photos->isValid(), "no temporary folder");
        writeImage(m_photos->filePath(QStringLiteral("a.jpg")), QSize(40, 30));
        writeImage(m_photos->filePath(QStringLiteral("b.bmp")), QSize(40, 30));
        QVERIFY(QDir(m_photos->path()).mkdir(QStringLiteral("sub")));
    }

    void cleanup()
    {
        m_program.reset();
        m_photos.reset();
    }

    void shortcutsRunTheMenuHandlers_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("effect");
        QTest::newRow("Ctrl+O opens the Images window") << QKeySequence(Qt::CTRL | Qt::Key_O) << "images window";
        QTest::newRow("Ctrl+W closes the batch") << QKeySequence(Qt::CTRL | Qt::Key_W) << "idle";
        QTest::newRow("Ctrl+Q ends the program") << QKeySequence(Qt::CTRL | Qt::Key_Q) << "ended";
        QTest::newRow("F1 opens the user guide") << QKeySequence(Qt::Key_F1) << "user guide";
    }

    void shortcutsRunTheMenuHandlers()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(QString, effect);
        startBatch();
        Form2 *form = m_program->form();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QTest::keySequence(form, keys);
        ScriptedPlatform &platform = m_program->platform();
        QCOMPARE(m_program->dialog()->isVisible(), effect == QLatin1String("images window"));
        QCOMPARE(form->Next->isHidden(), effect == QLatin1String("idle"));
        QCOMPARE(platform.programEnds, effect == QLatin1String("ended") ? 1 : 0);
        QCOMPARE(platform.openedDocuments,
                 effect == QLatin1String("user guide") ? QStringList{m_program->programFolder() + "/UsersGuide.htm"}
                                                       : QStringList());
    }

    void imagesWindowKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("started");
        QTest::newRow("Return starts") << int(Qt::Key_Return) << true;
        QTest::newRow("keypad Enter starts") << int(Qt::Key_Enter) << true;
        QTest::newRow("Escape cancels") << int(Qt::Key_Escape) << false;
    }

    void imagesWindowKeys()
    {
        QFETCH(int, key);
        QFETCH(bool, started);
        m_program->platform().folderAnswers.enqueue(m_photos->path());
        m_program->dialog()->btnSource_Click();
        m_program->form()->mnuOpen_Click();
        Form1 *dialog = m_program->dialog();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QCOMPARE(QApplication::focusWidget(), dialog->Command1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(dialog->isHidden());
        QCOMPARE(QFile::exists(m_photos->filePath(QStringLiteral("SlideShow.htm"))), started);
        QCOMPARE(m_program->form()->Command4->isEnabled(), started);
    }

    void typedFolders_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<int>("listed");
        QTest::newRow("source folder") << "txtSrcFolder" << "%1" << true << 2;
        QTest::newRow("source folder with a slash") << "txtSrcFolder" << "%1/" << true << 2;
        QTest::newRow("source pasted with blanks") << "txtSrcFolder" << " %1\t" << true << 2;
        QTest::newRow("empty subfolder as source") << "txtSrcFolder" << "%1/sub" << true << 0;
        QTest::newRow("missing source") << "txtSrcFolder" << "%1/missing" << false << 0;
        QTest::newRow("file as source") << "txtSrcFolder" << "%1/a.jpg" << false << 0;
        QTest::newRow("relative source") << "txtSrcFolder" << "photos" << false << 0;
        QTest::newRow("target folder") << "txtTgtFolder" << "%1/sub" << true << 0;
        QTest::newRow("missing target") << "txtTgtFolder" << "%1/missing" << false << 0;
    }

    void typedFolders()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(bool, taken);
        QFETCH(int, listed);
        const QString text = typed.contains(QLatin1String("%1")) ? typed.arg(m_photos->path()) : typed;
        QString expected = text.trimmed();
        if (expected.endsWith(QLatin1Char('/')))
            expected.chop(1);
        Form1 *dialog = m_program->dialog();
        m_program->form()->mnuOpen_Click();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        auto *edit = dialog->findChild<QLineEdit *>(box);
        edit->setFocus();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);

        const bool source = box == QLatin1String("txtSrcFolder");
        QVERIFY2(dialog->isVisible(), "Enter in a folder box must not start the batch");
        QCOMPARE(objMediator->GetSourceFolder(), taken && source ? expected : QString());
        QCOMPARE(objMediator->GetTgtFolder(), taken ? expected : QString());
        QCOMPARE(dialog->List1->count(), listed);
        QCOMPARE(edit->toolTip().isEmpty(), taken);
        QVERIFY(m_program->platform().folderPrompts.isEmpty());
        if (source && taken)
            QCOMPARE(dialog->txtTgtFolder->text(), expected);

        // Leaving the box judges it too: a good folder typed after a bad one is taken.
        if (!taken) {
            edit->clear();
            QTest::keyClicks(edit, m_photos->path());
            dialog->Command2->setFocus();
            QCOMPARE(objMediator->GetTgtFolder(), m_photos->path());
            QVERIFY(edit->toolTip().isEmpty());
        }
    }

    void theBrowserStartsAtTheFolderInTheBox()
    {
        Form1 *dialog = m_program->dialog();
        ScriptedPlatform &platform = m_program->platform();
        platform.folderAnswers << m_photos->path() << QString() << QString();
        dialog->btnSource_Click();
        dialog->btnSource_Click();
        dialog->btnTarget_Click();
        QCOMPARE(platform.folderStarts, (QStringList{QString(), m_photos->path(), m_photos->path()}));
    }

    void drops_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("dropped");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("folder on the main window") << "main" << "folder" << true;
        QTest::newRow("file on the main window") << "main" << "file" << true;
        QTest::newRow("folder on the Images window") << "images" << "folder" << true;
        QTest::newRow("file on a folder box") << "images box" << "file" << true;
        QTest::newRow("web address") << "main" << "web" << false;
        QTest::newRow("text") << "images" << "text" << false;
        QTest::newRow("missing file") << "main" << "missing" << false;
    }

    void drops()
    {
        QFETCH(QString, window);
        QFETCH(QString, dropped);
        QFETCH(bool, accepted);
        QMimeData data;
        if (dropped == QLatin1String("folder"))
            data.setUrls({QUrl::fromLocalFile(m_photos->path())});
        else if (dropped == QLatin1String("file"))
            data.setUrls({QUrl::fromLocalFile(m_photos->filePath(QStringLiteral("b.bmp")))});
        else if (dropped == QLatin1String("web"))
            data.setUrls({QUrl(QStringLiteral("https://example.org/photos/"))});
        else if (dropped == QLatin1String("missing"))
            data.setUrls({QUrl::fromLocalFile(m_photos->filePath(QStringLiteral("gone.jpg")))});
        else
            data.setText(m_photos->path());

        QWidget *target = m_program->form();
        const bool images = window.startsWith(QLatin1String("images"));
        if (images)
            m_program->form()->mnuOpen_Click();
        if (window == QLatin1String("images"))
            target = m_program->dialog();
        else if (window == QLatin1String("images box"))
            target = m_program->dialog()->txtSrcFolder;
        const QPoint at(5, 5);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QCOMPARE(enter.isAccepted(), accepted);
        if (accepted) {
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &drop);
            QVERIFY(drop.isAccepted());
        }
        QCOMPARE(objMediator->GetSourceFolder(), accepted ? m_photos->path() : QString());
        QCOMPARE(m_program->dialog()->List1->count(), accepted ? 2 : 0);
        QCOMPARE(m_program->dialog()->txtSrcFolder->text(), accepted ? m_photos->path() : QString());
        QCOMPARE(m_program->dialog()->isVisible(), accepted || images);
    }

    void theFolderBrowserKeepsNoSettings_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("shown");
        QTest::newRow("chosen") << "photos" << true << "photos";
        QTest::newRow("cancelled") << "photos" << false << "photos";
        QTest::newRow("no folder in the box") << "" << false << "home";
        QTest::newRow("missing folder in the box") << "missing" << false << "home";
    }

    void theFolderBrowserKeepsNoSettings()
    {
        QFETCH(QString, start);
        QFETCH(bool, accept);
        QFETCH(QString, shown);
        const QString photos = m_photos->path();
        const QString startFolder = start == QLatin1String("photos") ? photos
            : start.isEmpty()                                        ? QString()
                                                                     : photos + QStringLiteral("/missing");
        QString opened;
        QTimer::singleShot(50, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            opened = dialog->directory().absolutePath();
            accept ? static_cast<QDialog *>(dialog)->accept() : dialog->reject();
        });
        QtPlatform platform;
        const QString chosen = platform.browseForFolder(QStringLiteral("Select a Source Folder"), startFolder);
        QCOMPARE(opened, shown == QLatin1String("home") ? QDir::homePath() : photos);
        QCOMPARE(chosen, accept ? photos : QString());
        QCOMPARE(filesBelow(qEnvironmentVariable("HOME")), QStringList());
        QCOMPARE(filesBelow(qEnvironmentVariable("XDG_CONFIG_HOME")), QStringList());
    }

    void captionsFromThePhoto_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("suggested");
        QTest::newRow("EXIF") << "exif" << "Harbour at dawn" << "" << "Harbour at dawn";
        QTest::newRow("XMP") << "xmp" << "Café à Noël" << "" << "Café à Noël";
        QTest::newRow("IPTC") << "iptc" << "Grandma's 90th" << "" << "Grandma's 90th";
        QTest::newRow("two lines") << "xmp" << "Up the hill\nand down" << "" << "Up the hill and down";
        QTest::newRow("Olympus") << "exif" << "OLYMPUS DIGITAL CAMERA" << "" << "";
        QTest::newRow("Sony") << "exif" << "SONY DSC" << "" << "";
        QTest::newRow("padded") << "exif" << "                               " << "" << "";
        QTest::newRow("camera name") << "exif" << "Canon EOS 5D" << "Canon EOS 5D" << "";
        QTest::newRow("file name") << "iptc" << "IMG_0042" << "" << "";
        QTest::newRow("none") << "" << "" << "" << "";
    }

    void captionsFromThePhoto()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QString, model);
        QFETCH(QString, suggested);
        const QString path = m_photos->filePath(QStringLiteral("a.jpg"));
        describe(path, kind, text, model);
        QCOMPARE(PhotoDescription::read(path), suggested);

        // In the window the suggestion stands selected, so typing replaces it.
        m_program->platform().folderAnswers.enqueue(m_photos->path());
        m_program->dialog()->btnSource_Click();
        m_program->dialog()->List1->clear();
        QFile::remove(m_photos->filePath(QStringLiteral("b.bmp")));
        m_program->dialog()->Command1_Click();
        QLineEdit *caption = m_program->form()->txtCaption;
        QCOMPARE(caption->text(), suggested);
        QCOMPARE(caption->selectedText(), suggested);
        if (!suggested.isEmpty()) {
            QTest::keyClicks(caption, QStringLiteral("Mine"));
            QCOMPARE(caption->text(), QStringLiteral("Mine"));
        }
    }

    void damagedMetadataGivesNoSuggestion()
    {
        // A JPEG whose EXIF block points far outside itself, then one cut short inside its metadata.
        QByteArray jpeg = readFile(m_photos->filePath(QStringLiteral("a.jpg")));
        // One IFD entry: ImageDescription, ASCII, 2^31 - 1 characters at offset 2^31 - 16.
        const QByteArray payload = QByteArray("Exif\0\0II*\0\x08\0\0\0\x01\0", 16)
            + QByteArray("\x0E\x01\x02\0\xFF\xFF\xFF\x7F\xF0\xFF\xFF\x7F\0\0\0\0", 16);
        QByteArray app1("\xFF\xE1", 2);
        app1 += char((payload.size() + 2) >> 8);
        app1 += char((payload.size() + 2) & 0xFF);
        jpeg.insert(2, app1 + payload);
        QCOMPARE(PhotoDescription::read(jpeg), QString());
        QCOMPARE(PhotoDescription::read(jpeg.left(20)), QString());
        QCOMPARE(PhotoDescription::read(QByteArray("not an image")), QString());
    }

    void resizingRefitsThePreview_data()
    {
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<QSize>("grown");
        QTest::addColumn<QRectF>("painted");    // pixels of the preview box
        QTest::addColumn<QRectF>("atDesigned"); // the same photo back at the designed size
        QTest::newRow("designed size") << QSize(600, 400) << QSize(0, 0) << QRectF(0, 38.9, 233.3, 155.6)
                                       << QRectF(0, 38.9, 233.3, 155.6);
        QTest::newRow("larger") << QSize(600, 400) << QSize(300, 150) << QRectF(75, 63.9, 383.3, 255.6)
                                << QRectF(0, 38.9, 233.3, 155.6);
        QTest::newRow("taller") << QSize(400, 600) << QSize(100, 400) << QRectF(55.6, 150, 222.2, 333.3)
                                << QRectF(38.9, 0, 155.6, 233.3);
        QTest::newRow("small photo, never enlarged") << QSize(60, 40) << QSize(300, 150)
                                                     << QRectF(236.7, 171.7, 60, 40) << QRectF(86.7, 96.7, 60, 40);
    }

    void resizingRefitsThePreview()
    {
        QFETCH(QSize, photo);
        QFETCH(QSize, grown);
        QFETCH(QRectF, painted);
        QFETCH(QRectF, atDesigned);
        QFile::remove(m_photos->filePath(QStringLiteral("b.bmp")));
        writeImage(m_photos->filePath(QStringLiteral("a.jpg")), photo, QColor(20, 40, 220));
        startBatch();
        Form2 *form = m_program->form();
        const QSize designed = form->size();
        QCOMPARE(form->centralWidget()->size(), QSize(605, 462));
        form->resize(designed + grown);
        QTRY_COMPARE(form->centralWidget()->size(), QSize(605, 462) + grown);
        PictureBox *box = form->PicBox;
        QCOMPARE(box->size(), QSize(241, 225) + grown);
        // Buttons keep to the bottom right; the film strip stays where it is.
        QCOMPARE(form->Command1->geometry().bottomRight(), QPoint(584, 432) + QPoint(grown.width(), grown.height()));
        QCOMPARE(form->Picture1->pos(), QPoint(0, 16));
        QTRY_VERIFY2(paintedAt(box->drawing(), painted, QColor(20, 40, 220)).isEmpty(),
                     qPrintable(paintedAt(box->drawing(), painted, QColor(20, 40, 220))));

        // Back at the designed size, the designed picture.
        form->resize(designed);
        QTRY_COMPARE(box->size(), QSize(241, 225));
        QTRY_VERIFY2(paintedAt(box->drawing(), atDesigned, QColor(20, 40, 220)).isEmpty(),
                     qPrintable(paintedAt(box->drawing(), atDesigned, QColor(20, 40, 220))));
    }

    void decodesAtTheScreensPixels()
    {
        // Run once as it is and once with QT_SCALE_FACTOR=2.
        writeImage(m_photos->filePath(QStringLiteral("a.jpg")), QSize(4000, 3000), Qt::darkCyan);
        Form2 *form = m_program->form();
        // The offscreen screen is too small for the window at scale 2: give it its designed size.
        form->setMinimumSize(0, 0);
        form->resize(form->size() + (QSize(605, 462) - form->centralWidget()->size()));
        startBatch();
        QTRY_COMPARE(form->PicBox->size(), QSize(241, 225));
        const qreal ratio = form->devicePixelRatioF();
        QVERIFY(ratio == 1.0 || ratio == 2.0);
        const QImage &decoded = form->pichidden->picture();
        QCOMPARE(decoded.size(), ratio == 2.0 ? QSize(467, 350) : QSize(233, 175));
        QCOMPARE(decoded.devicePixelRatio(), ratio);
        QCOMPARE(form->PicBox->drawing().size(), ratio == 2.0 ? QSize(482, 450) : QSize(241, 225));
    }

    void fullScreen_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("stillFullScreen");
        QTest::addColumn<QString>("onShow");
        QTest::addColumn<int>("added");
        QTest::newRow("Escape returns") << "double-click" << int(Qt::Key_Escape) << false << "a.jpg" << 0;
        QTest::newRow("F11 returns") << "F11" << int(Qt::Key_F11) << false << "a.jpg" << 0;
        QTest::newRow("Enter adds") << "F11" << int(Qt::Key_Return) << true << "b.bmp" << 1;
        QTest::newRow("Space skips") << "double-click" << int(Qt::Key_Space) << true << "b.bmp" << 0;
    }

    void fullScreen()
    {
        QFETCH(QString, how);
        QFETCH(int, key);
        QFETCH(bool, stillFullScreen);
        QFETCH(QString, onShow);
        QFETCH(int, added);
        writeImage(m_photos->filePath(QStringLiteral("a.jpg")), QSize(3000, 1000), Qt::darkCyan);
        startBatch();
        Form2 *form = m_program->form();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        if (how == QLatin1String("F11"))
            QTest::keyClick(form, Qt::Key_F11);
        else
            QTest::mouseDClick(form->PicBox, Qt::LeftButton);
        FullScreenPreview *full = form->fullScreenPreview();
        QVERIFY(full->isVisible());
        QVERIFY(full->isFullScreen());
        QVERIFY(QTest::qWaitForWindowActive(full));
        // Fitted to the screen, not enlarged beyond it, proportions kept.
        const QSize screen = full->screen()->size() * full->screen()->devicePixelRatio();
        QCOMPARE(full->image().width(), std::min(3000, screen.width()));
        QCOMPARE(full->image().height(), std::min(3000, screen.width()) / 3);

        QTest::keyClick(full, Qt::Key(key));
        QCOMPARE(full->isVisible(), stillFullScreen);
        QCOMPARE(QFileInfo(objMediator->GetSourceFile()).fileName(), onShow);
        QCOMPARE(int(lngSlideCount), added);
        if (stillFullScreen)
            QCOMPARE(full->image().size(), QSize(40, 30)); // the next photo, at its own size
    }

private:
    void startBatch()
    {
        m_program->platform().folderAnswers.enqueue(m_photos->path());
        m_program->dialog()->btnSource_Click();
        m_program->dialog()->Command1_Click();
        QVERIFY(m_program->form()->Command4->isEnabled());
    }

    std::unique_ptr<TestProgram> m_program;
    std::unique_ptr<QTemporaryDir> m_photos;
};

int main(int argc, char *argv[])
{
    // The folder browser must leave the user's home and configuration folders alone.
    QTemporaryDir home;
    QTemporaryDir config;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QApplication app(argc, argv);
    TestDesktop test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktop.moc"
