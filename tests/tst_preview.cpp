// SPDX-License-Identifier: MIT
// The image preview, checked on the pixels it paints into the preview box.
#include "testsupport.h"

#include "imaging/parseobject.h"
#include "ui/form2.h"
#include "ui/picturebox.h"

#include <QtTest>

namespace {
bool near(QRgb a, QColor b, int tolerance)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance
        && std::abs(qBlue(a) - b.blue()) <= tolerance;
}
}

class TestPreview : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestProgram> p;
    QTemporaryDir dir;

    QImage show(const QString &name)
    {
        ParseObject item;
        item.init(dir.filePath(name));
        item.Execute();
        [] { QVERIFY(waitForPreview()); }();
        return p->form()->PicBox->drawing();
    }

private slots:
    void init() { p = std::make_unique<TestProgram>(); }
    void cleanup() { p.reset(); }

    void paintsCentredInTheSquare_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<QRectF>("painted"); // twips, 15 to a pixel, in a 3500 x 3500 square
        QTest::newRow("wide 7:1") << "a.bmp" << QSize(700, 100) << QRectF(0, 1500, 3500, 500);
        QTest::newRow("tall 1:7") << "a.bmp" << QSize(100, 700) << QRectF(1500, 0, 500, 3500);
        QTest::newRow("4:5") << "a.bmp" << QSize(400, 500) << QRectF(350, 0, 2800, 3500);
        QTest::newRow("small, unscaled") << "a.bmp" << QSize(100, 80) << QRectF(1000, 1150, 1500, 1200);
        QTest::newRow("just inside") << "a.bmp" << QSize(225, 225) << QRectF(62.5, 62.5, 3375, 3375);
        QTest::newRow("jpeg") << "a.jpg" << QSize(1200, 600) << QRectF(0, 875, 3500, 1750);
    }

    void paintsCentredInTheSquare()
    {
        QFETCH(QString, name);
        QFETCH(QSize, pixels);
        QFETCH(QRectF, painted);
        writeImage(dir.filePath(QStringLiteral("big.bmp")), QSize(600, 600), Qt::blue);
        writeImage(dir.filePath(name), pixels);
        show(QStringLiteral("big.bmp")); // nothing of it may remain around a smaller image
        const QImage drawing = show(name);
        const QRectF expected(painted.x() / 15, painted.y() / 15, painted.width() / 15, painted.height() / 15);
        QVERIFY2(paintedAt(drawing, expected, QColor(200, 30, 60)).isEmpty(), qPrintable(paintedAt(drawing, expected, QColor(200, 30, 60))));
        QVERIFY(p->messages().isEmpty());
    }

    void exifOrientationStandsThePhotoUpright()
    {
        // Stored 200 x 100 with the left half red; turned upright, 100 x 200 with red on top.
        QVERIFY(QFile::copy(fixture(QStringLiteral("rotated.jpg")), dir.filePath(QStringLiteral("r.jpg"))));
        const QImage drawing = show(QStringLiteral("r.jpg"));
        QVERIFY(near(drawing.pixel(116, 30), Qt::red, 40));
        QVERIFY(near(drawing.pixel(116, 200), Qt::blue, 40));
        QCOMPARE(drawing.pixel(64, 116), qRgb(255, 255, 255));
        QCOMPARE(drawing.pixel(168, 116), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
