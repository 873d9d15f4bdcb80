// SPDX-License-Identifier: MIT
// The window never waits: decodes run off its thread, and a slow decode
// cannot hold up the batch.
#include "windowprogram.h"

#include "core/general.h"
#include "imaging/prefetcher.h"
#include "imaging/webcopy.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/picturebox.h"

#include <QtWidgets>
#include <QtTest>

using Then = std::function<void()>;

class TestResponsive : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_program = std::make_unique<WindowProgram>(); }

    void cleanup()
    {
        m_release = true;
        Prefetcher::shared().setLoader({});
        m_program.reset();
        Prefetcher::shared().setBatchMemory(Prefetcher::BatchMemory);
    }

    void aSlowDecodeHoldsNothingUp_data()
    {
        QTest::addColumn<bool>("skip");
        QTest::newRow("waiting for it") << false;
        QTest::newRow("skipping it") << true;
    }

    // Catches a decode on the window's thread (the timer would stop while it runs)
    // and a stale decode painted over the image the user moved on to.
    void aSlowDecodeHoldsNothingUp()
    {
        QFETCH(bool, skip);
        writeFile(photo("a.jpg"), "held back by the test");
        writeImage(photo("b.bmp"), QSize(30, 30), Qt::green);
        writeImage(photo("c.bmp"), QSize(30, 30), Qt::blue);
        holdBack(photo("a.jpg"));
        QSignalSpy painted(objMediator.get(), &Mediator::imageShown);
        startBatch();
        QCOMPARE(m_program->form()->PicBox->loadingText(), QStringLiteral("Loading a.jpg…"));
        QTimer timer;
        QSignalSpy ticks(&timer, &QTimer::timeout);
        timer.start(0);
        QTRY_VERIFY(ticks.size() > 100);
        if (skip) {
            QTest::mouseClick(m_program->form()->Next, Qt::LeftButton);
            QVERIFY(waitForPreview());
            QCOMPARE(m_program->centre(), QColor(Qt::green).rgb());
        } else {
            QTest::keyClicks(m_program->form()->txtCaption, QStringLiteral("typed meanwhile"));
        }
        m_release = true;
        QTRY_COMPARE(m_decodes.load(), 1);
        if (skip)
            QTest::mouseClick(m_program->form()->Next, Qt::LeftButton);
        QVERIFY(waitForPreview());
        QCOMPARE(m_program->form()->PicBox->loadingText(), QString());
        QCOMPARE(m_program->centre(), skip ? QColor(Qt::blue).rgb() : QColor(Qt::red).rgb());
        QCOMPARE(painted.size(), skip ? 2 : 1);
        QCOMPARE(painted.first()[0].toString(), photo(skip ? "b.bmp" : "a.jpg"));
        QCOMPARE(painted.last()[0].toString(), photo(skip ? "c.bmp" : "a.jpg"));
        QCOMPARE(m_program->form()->txtCaption->text(), skip ? QString() : QStringLiteral("typed meanwhile"));
        QVERIFY(m_program->platform().messages.isEmpty());
    }

    void aResizedPreviewIsDecodedAgain_data()
    {
        QTest::addColumn<Then>("then"); // while the preview's re-decode is on its way
        QTest::addColumn<QColor>("centre");
        QTest::newRow("Skip") << Then([this] { QTest::mouseClick(m_program->form()->Next, Qt::LeftButton); }) << QColor(Qt::blue);
        QTest::newRow("a newer re-decode") << Then([this] { Prefetcher::shared().redecode(photo("a.bmp"), {}, this, ignore); }) << QColor(Qt::green);
        QTest::newRow("dropped") << Then([] { Prefetcher::shared().drop(); }) << QColor(Qt::green);
        QTest::newRow("full screen decodes meanwhile") << Then([this] { Prefetcher::shared().fit(photo("b.bmp"), {80, 60}, 1, this, ignore); }) << QColor(Qt::red);
    }

    // Catches a re-decode painted after the user has moved on, after a newer
    // one was asked for or after the decodes were dropped, and one cancelled
    // by the full-screen view's decode (then the red re-decode is not painted).
    void aResizedPreviewIsDecodedAgain()
    {
        QFETCH(Then, then);
        QFETCH(QColor, centre);
        writeImage(photo("a.bmp"), QSize(600, 600), Qt::green);
        writeImage(photo("b.bmp"), QSize(600, 600), Qt::blue);
        startBatch();
        QVERIFY(waitForPreview());
        holdBack(photo("a.bmp"));
        m_program->form()->resize(m_program->form()->size() + QSize(100, 100));
        QTRY_COMPARE(m_holding.load(), 1);
        then();
        QVERIFY(waitForPreview());
        m_release = true;
        QTRY_COMPARE(m_holding.load(), 0);
        QTest::qWait(50); // a result handed over would be painted by now
        QCOMPARE(m_program->centre(), centre.rgb());
    }

    void batchWorkSharesTheCoresAndTheMemory_data()
    {
        QTest::addColumn<qint64>("memory");
        QTest::addColumn<int>("together"); // decodes at once, of a 100 x 100 photo (40 000 bytes)
        QTest::newRow("a core each") << Prefetcher::BatchMemory << QThread::idealThreadCount();
        QTest::newRow("memory for one") << qint64(79'999) << 1;
    }

    // Catches batch work run one at a time, decodes over the memory they
    // share, and web-sized copies decoded outside the batch.
    void batchWorkSharesTheCoresAndTheMemory()
    {
        QFETCH(qint64, memory);
        QFETCH(int, together);
        writeImage(photo("a.jpg"), QSize(100, 100));
        holdBack(photo("a.jpg"));
        Prefetcher::shared().setBatchMemory(memory);
        for (int i = 0; i < 4; ++i)
            Prefetcher::shared().batch(std::make_shared<std::atomic_bool>(), [path = photo("a.jpg")](const auto &decode) { decode(path, {}); });
        QTRY_COMPARE(m_holding.load(), together);
        QTest::qWait(50); // room for one too many
        QCOMPARE(m_holding.load(), together);
        // A web-sized copy placed meanwhile waits for a batch thread: it is not decoded on the window's.
        QThreadPool::globalInstance()->start([this] { QThread::msleep(100); m_release = true; });
        WebCopy::shared().begin(true, m_program->source(), m_program->target());
        WebCopy::shared().place(photo("a.jpg")); // decoded once, for the thumbnail
        QTRY_COMPARE(m_decodes.load(), 5);
    }

private:
    static void ignore(const Prefetcher::Result &) {}
    QString photo(const QString &name) const { return m_program->source(name); }

    /** Decodes of path wait until the test releases them, then give a red picture; counted as they go, off the window's thread. */
    void holdBack(const QString &path)
    {
        m_release = false;
        m_decodes = 0;
        Prefetcher::shared().setLoader([this, path](const QString &wanted, const PreviewLoader::Limits &limits) {
            if (wanted != path)
                return PreviewLoader::load(wanted, limits);
            ++m_holding;
            while (!m_release)
                QThread::msleep(2);
            QImage red(QSize(20, 20), QImage::Format_RGB32);
            red.fill(Qt::red);
            --m_holding;
            m_decodes += QThread::currentThread() != qApp->thread();
            return std::optional<PreviewLoader::Picture>({red, QSizeF(3000, 3000), QSizeF(3000, 3000), QString(), limits.target});
        });
    }

    /** Chooses the source folder by its browser and presses Start; waits for the batch, not for its preview. */
    void startBatch()
    {
        m_program->chooseFolders(m_program->source());
        QTest::mouseClick(m_program->dialog()->Command1, Qt::LeftButton);
        QTRY_VERIFY(m_program->form()->Next->isEnabled()); // Add too, unless the first image failed
    }

    std::atomic_bool m_release{false};
    std::atomic_int m_holding{0}, m_decodes{0};
    std::unique_ptr<WindowProgram> m_program;
};

QTEST_MAIN(TestResponsive)
#include "tst_responsive.moc"
