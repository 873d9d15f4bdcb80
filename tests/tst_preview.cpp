// SPDX-License-Identifier: MIT
// The image preview, checked on the pixels it paints into the preview box.
#include "testsupport.h"

#include "core/general.h"
#include "imaging/parseobject.h"
#include "imaging/previewloader.h"
#include "ui/form2.h"
#include "ui/picturebox.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace {
QRectF pixelsOf(const QRectF &twips)
{
    return QRectF(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
}

bool near(QRgb a, QColor b, int tolerance)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance
        && std::abs(qBlue(a) - b.blue()) <= tolerance;
}

/** Every pixel well inside the rectangle has the image's colour, every one well outside is white. */
QString paintedAt(const QImage &drawing, const QRectF &twips, QColor color, int tolerance = 0)
{
    const QRectF expected = pixelsOf(twips);
    const QRectF inside = expected.adjusted(1.5, 1.5, -1.5, -1.5);
    const QRectF outside = expected.adjusted(-1.5, -1.5, 1.5, 1.5);
    int wrongInside = 0;
    int wrongOutside = 0;
    for (int y = 0; y < drawing.height(); ++y) {
        for (int x = 0; x < drawing.width(); ++x) {
            const QPointF centre(x + 0.5, y + 0.5);
            const QRgb pixel = drawing.pixel(x, y);
            if (inside.contains(centre) && !near(pixel, color, tolerance))
                ++wrongInside;
            else if (!outside.contains(centre) && !near(pixel, Qt::white, 0))
                ++wrongOutside;
        }
    }
    if (wrongInside || wrongOutside)
        return QStringLiteral("%1 pixels inside and %2 outside the picture are wrong").arg(wrongInside).arg(wrongOutside);
    return QString();
}
}

class TestPreview : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_program = std::make_unique<TestProgram>();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY2(m_dir->isValid(), "no temporary folder");
    }

    void cleanup()
    {
        m_program.reset();
        m_dir.reset();
    }

    void fitsIntoTheSquare_data()
    {
        QTest::addColumn<QSizeF>("natural");
        QTest::addColumn<QSizeF>("fitted");
        QTest::newRow("wide") << QSizeF(7000, 1000) << QSizeF(3500, 500);
        QTest::newRow("tall") << QSizeF(1000, 7000) << QSizeF(500, 3500);
        QTest::newRow("width first, then height") << QSizeF(4000, 5000) << QSizeF(2800, 3500);
        QTest::newRow("exactly the square") << QSizeF(3500, 3500) << QSizeF(3500, 3500);
        QTest::newRow("small") << QSizeF(1500, 1200) << QSizeF(1500, 1200);
        QTest::newRow("one over") << QSizeF(3501, 10) << QSizeF(3500, 10 * 3500.0f / 3501);
    }

    void fitsIntoTheSquare()
    {
        QFETCH(QSizeF, natural);
        QFETCH(QSizeF, fitted);
        const QSizeF result = PreviewLoader::fittedSize(natural);
        QCOMPARE(float(result.width()), float(fitted.width()));
        QCOMPARE(float(result.height()), float(fitted.height()));
    }

    void paintsCentredInTheSquare_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QRectF>("painted"); // twips
        // Sizes in pixels; 15 twips to a pixel.
        QTest::newRow("wide 7:1") << QSize(700, 100) << QStringLiteral("bmp") << QRectF(0, 1500, 3500, 500);
        QTest::newRow("tall 1:7") << QSize(100, 700) << QStringLiteral("bmp") << QRectF(1500, 0, 500, 3500);
        QTest::newRow("4:5") << QSize(400, 500) << QStringLiteral("bmp") << QRectF(350, 0, 2800, 3500);
        QTest::newRow("small, unscaled") << QSize(100, 80) << QStringLiteral("bmp") << QRectF(1000, 1150, 1500, 1200);
        QTest::newRow("just inside") << QSize(225, 225) << QStringLiteral("bmp") << QRectF(62.5, 62.5, 3375, 3375);
        QTest::newRow("jpeg") << QSize(1200, 600) << QStringLiteral("jpg") << QRectF(0, 875, 3500, 1750);
        QTest::newRow("gif") << QSize(90, 60) << QStringLiteral("gif") << QRectF(1075, 1300, 1350, 900);
    }

    void paintsCentredInTheSquare()
    {
        QFETCH(QSize, pixels);
        QFETCH(QString, format);
        QFETCH(QRectF, painted);
        const QColor color(200, 30, 60);
        const QString path = m_dir->filePath(QStringLiteral("image.") + format);
        writeImage(path, pixels, color, format.toLatin1().constData());
        m_program->form()->PicBox->setVisible(false);

        show(path);
        PictureBox *box = m_program->form()->PicBox;
        const QString wrong = paintedAt(box->drawing(), painted, color, format == QLatin1String("jpg") ? 12 : 0);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        QVERIFY(box->isVisibleTo(m_program->form()));
        QVERIFY(m_program->platform().messages.isEmpty());
        QCOMPARE(objMediator->GetSourceFile(), path);
        // The hidden box holds the picture at the size it was painted.
        QCOMPARE(m_program->form()->pichidden->picture().size(), pixelsOf(painted).size().toSize());
        QVERIFY(!m_program->form()->pichidden->isVisibleTo(m_program->form()));
    }

    void aSmallerImageLeavesNoRemnant()
    {
        writeImage(m_dir->filePath(QStringLiteral("big.bmp")), QSize(600, 600), Qt::blue);
        writeImage(m_dir->filePath(QStringLiteral("small.bmp")), QSize(30, 20), Qt::green);
        show(m_dir->filePath(QStringLiteral("big.bmp")));
        show(m_dir->filePath(QStringLiteral("small.bmp")));
        const QString wrong = paintedAt(m_program->form()->PicBox->drawing(), QRectF(1525, 1600, 450, 300), Qt::green);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    void unreadableFilesSayErrorLoadingImage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QStringLiteral("missing.jpg") << QByteArray();
        QTest::newRow("text named .jpg") << QStringLiteral("notes.jpg") << QByteArray("just some words\n");
        QTest::newRow("empty") << QStringLiteral("empty.gif") << QByteArray("");
        QTest::newRow("truncated jpeg") << QStringLiteral("cut.jpg") << QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10);
        // A BMP header that claims 100,000 x 100,000 pixels and holds none.
        QByteArray huge("BM", 2);
        huge += QByteArray::fromHex("36000000" "00000000" "36000000" "28000000" "a0860100" "a0860100" "0100" "1800"
                                    "00000000" "00000000" "130b0000" "130b0000" "00000000" "00000000");
        QTest::newRow("claims 100000 x 100000") << QStringLiteral("huge.bmp") << huge;
    }

    void unreadableFilesSayErrorLoadingImage()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        const QString path = m_dir->filePath(name);
        if (!content.isNull())
            writeFile(path, content);

        writeImage(m_dir->filePath(QStringLiteral("before.bmp")), QSize(50, 50), Qt::magenta);
        show(m_dir->filePath(QStringLiteral("before.bmp")));
        const QImage before = m_program->form()->PicBox->drawing();
        m_program->form()->txtCaption->setText(QStringLiteral("typed for the previous image"));
        m_program->form()->lblSizeBefore->setText(QStringLiteral("50 x 50"));

        show(path);
        QCOMPARE(m_program->platform().messages, QStringList{QStringLiteral("Error loading image")});
        QCOMPARE(m_program->form()->PicBox->drawing(), before);
        QVERIFY(m_program->form()->txtCaption->text().isEmpty());
        QVERIFY(m_program->form()->lblSizeBefore->text().isEmpty());
        QCOMPARE(objMediator->GetSourceFile(), path);
    }

    void exifOrientationStandsThePhotoUpright()
    {
        // Stored 200 x 100, left half red; orientation 6 turns it a quarter
        // clockwise, so upright it is 100 x 200 with the red half on top.
        const QString path = m_dir->filePath(QStringLiteral("portrait.jpg"));
        writeRotatedJpeg(path, QSize(200, 100), 6);
        show(path);
        QVERIFY(m_program->platform().messages.isEmpty());
        const QImage drawing = m_program->form()->PicBox->drawing();
        const QRectF painted = pixelsOf(QRectF(1000, 250, 1500, 3000));
        const int x = int(painted.center().x());
        QVERIFY(near(drawing.pixel(x, int(painted.top() + 30)), Qt::red, 40));
        QVERIFY(near(drawing.pixel(x, int(painted.bottom() - 30)), Qt::blue, 40));
        QVERIFY(near(drawing.pixel(int(painted.left()) - 3, int(painted.center().y())), Qt::white, 0));
        QVERIFY(near(drawing.pixel(int(painted.right()) + 3, int(painted.center().y())), Qt::white, 0));
        QCOMPARE(m_program->form()->pichidden->picture().size(), QSize(100, 200));
    }

    void runningAWorkItemTwiceReloadsTheFile()
    {
        const QString path = m_dir->filePath(QStringLiteral("changing.bmp"));
        writeImage(path, QSize(60, 60), Qt::red);
        ParseObject item;
        item.init(path);
        item.Execute();
        const QRectF painted(1300, 1300, 900, 900);
        QVERIFY(paintedAt(m_program->form()->PicBox->drawing(), painted, Qt::red).isEmpty());
        writeImage(path, QSize(60, 60), Qt::blue);
        item.Execute();
        QVERIFY(paintedAt(m_program->form()->PicBox->drawing(), painted, Qt::blue).isEmpty());
    }

    void largePhotosAreDecodedAtThePreviewSize()
    {
        const QString path = m_dir->filePath(QStringLiteral("camera.jpg"));
        writeImage(path, QSize(4000, 3000), Qt::darkCyan, "jpg");
        const auto picture = PreviewLoader::load(path);
        QVERIFY(picture);
        QCOMPARE(picture->image.size(), QSize(233, 175));
        QCOMPARE(picture->naturalTwips, QSizeF(60000, 45000));
    }

private:
    void show(const QString &path)
    {
        ParseObject item;
        item.init(path);
        item.Execute();
    }

    std::unique_ptr<TestProgram> m_program;
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
