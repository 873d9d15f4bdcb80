// SPDX-License-Identifier: MIT
// fotoweave-bench: times the real preview path against a naive full decode
// plus scale, on images it makes itself. Each path runs in a child process of
// its own so that one path's peak memory cannot hide the other's.
#include "gifwriter.h"
#include "core/general.h"
#include "imaging/parseobject.h"
#include "imaging/prefetcher.h"
#include "imaging/previewloader.h"
#include "platform/scriptedplatform.h"
#include "ui/form1.h"
#include "ui/form2.h"

#include <QListWidget>
#include <QPushButton>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QImageWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace {
constexpr int Runs = 15;

double peakRssMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

/** Something like a photo: smooth gradients with fine noise, which JPEG finds hard. */
QImage photoLike(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(42);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int noise = int(random.bounded(24));
            line[x] = qRgb((x * 255 / size.width() + noise) & 0xFF, (y * 255 / size.height() + noise) & 0xFF,
                           ((x + y) * 255 / (size.width() + size.height()) + 2 * noise) & 0xFF);
        }
    }
    return image;
}

bool writeGif(const QString &path, QSize size)
{
    // Four colour bands.
    QImage image(size, QImage::Format_RGB32);
    const QRgb bands[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, bands[x * 4 / size.width()]);
    const QByteArray gif = GifWriter::encode(image);
    QFile file(path);
    return !gif.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(gif) == gif.size();
}

bool makeImages(const QString &folder)
{
    const QImage photo = photoLike(QSize(6000, 4000));
    QImageWriter baseline(folder + QStringLiteral("/baseline.jpg"));
    baseline.setQuality(90);
    QImageWriter progressive(folder + QStringLiteral("/progressive.jpg"));
    progressive.setQuality(90);
    progressive.setProgressiveScanWrite(true);
    return baseline.write(photo) && progressive.write(photo)
        && photo.copy(0, 0, 4000, 3000).save(folder + QStringLiteral("/large.bmp"), "BMP")
        && writeGif(folder + QStringLiteral("/large.gif"), QSize(2000, 2000));
}

int runChild(const QString &mode, const QString &path)
{
    Platform::install(std::make_unique<ScriptedPlatform>(QApplication::applicationDirPath()));
    objMediator = std::make_unique<Mediator>();
    objMediator->init();

    std::vector<double> times;
    for (int run = 0; run <= Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        if (mode == QLatin1String("preview")) {
            ParseObject item;
            item.init(path);
            item.Execute();
        } else {
            const QImage full(path);
            const QSizeF fitted = PreviewLoader::fittedSize(QSizeF(full.size()) * PreviewLoader::TwipsPerPixel)
                / PreviewLoader::TwipsPerPixel;
            const QImage scaled = full.scaled(fitted.toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            if (scaled.isNull())
                return 1;
        }
        if (run > 0) // the first run only warms the caches
            times.push_back(timer.nsecsElapsed() / 1e6);
    }
    const bool failed = !static_cast<ScriptedPlatform &>(Platform::instance()).messages.isEmpty();
    Form2::unload();
    std::printf("%.2f %.1f\n", median(times), peakRssMiB());
    return failed ? 1 : 0;
}

double currentRssMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(p * double(values.size() - 1) + 0.5))];
}

/** A folder holding count names for one image file, so decoding cost is the same for each. */
bool linkedFolder(const QString &folder, const QString &image, int count)
{
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        const QByteArray name = QFile::encodeName(folder + QStringLiteral("/photo%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
        if (::link(QFile::encodeName(image).constData(), name.constData()) != 0)
            return false;
    }
    return true;
}

/** Starts a real batch on a folder through the dialog; the first image is then on show. */
ScriptedPlatform *startBatch(const QString &folder)
{
    auto platform = std::make_unique<ScriptedPlatform>(QApplication::applicationDirPath());
    ScriptedPlatform *script = platform.get();
    Platform::install(std::move(platform));
    General::Main();
    Form2::instance()->mnuOpen->trigger();
    script->folderAnswers.enqueue(folder);
    Form1::instance()->btnSource->click();
    Form1::instance()->Command1->click();
    QApplication::processEvents();
    return script;
}

/** Times "Skip" to the next preview painted, after the user has looked for dwell ms. */
int runNextImage(const QString &image, int dwell, bool prefetch, int images)
{
    QTemporaryDir dir;
    if (!linkedFolder(dir.filePath(QStringLiteral("photos")), image, images))
        return 1;
    Prefetcher::shared().setEnabled(prefetch);
    ScriptedPlatform *script = startBatch(dir.filePath(QStringLiteral("photos")));
    std::vector<double> times;
    for (int i = 1; i < images; ++i) {
        QThread::msleep(dwell);
        QElapsedTimer timer;
        timer.start();
        Form2::instance()->Next->click();
        QApplication::processEvents();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    const bool ok = script->messages.isEmpty();
    Form2::unload();
    std::printf("%.1f %.1f\n", median(times), percentile(times, 0.95));
    return ok ? 0 : 1;
}

/** Runs a whole batch of many photos and reports the memory it took. */
int runBatchMemory(const QString &image, int images)
{
    QTemporaryDir dir;
    if (!linkedFolder(dir.filePath(QStringLiteral("photos")), image, images))
        return 1;
    ScriptedPlatform *script = startBatch(dir.filePath(QStringLiteral("photos")));
    const double start = currentRssMiB();
    for (int i = 1; i < images; ++i) {
        if (i % 2)
            Form2::instance()->Command4->click();
        else
            Form2::instance()->Next->click();
        QApplication::processEvents();
    }
    Form2::instance()->Next->click();
    const bool ok = script->messages == QStringList{QStringLiteral("Last image reached.")};
    std::printf("batch_memory images=%d peak_rss_mib=%.1f start_rss_mib=%.1f\n", images, peakRssMiB(), start);
    Form2::unload();
    return ok ? 0 : 1;
}

/** Lists, scans and starts a batch on a folder of many files, as the user would. */
int runBigFolder(int files)
{
    QTemporaryDir dir;
    const QString photos = dir.filePath(QStringLiteral("photos"));
    QDir().mkpath(photos);
    const QString original = dir.filePath(QStringLiteral("original.jpg"));
    QImage small(QSize(64, 48), QImage::Format_RGB32);
    small.fill(Qt::darkYellow);
    if (!small.save(original))
        return 1;
    QFile source(original);
    if (!source.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray bytes = source.readAll();
    for (int i = 0; i < files; ++i) {
        QFile copy(photos + QStringLiteral("/photo%1.jpg").arg(i));
        if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size())
            return 1;
    }

    auto platform = std::make_unique<ScriptedPlatform>(QApplication::applicationDirPath());
    ScriptedPlatform *script = platform.get();
    Platform::install(std::move(platform));
    General::Main();
    Form2::instance()->mnuOpen->trigger();
    QApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    script->folderAnswers.enqueue(photos);
    Form1::instance()->btnSource->click();
    QApplication::processEvents();
    const double listMs = timer.nsecsElapsed() / 1e6;

    timer.restart();
    Form1::instance()->Command1->click();
    QApplication::processEvents();
    const double startMs = timer.nsecsElapsed() / 1e6;

    timer.restart();
    ParseObject first;
    first.init(objMediator->GetSourceFile());
    first.Execute();
    const double previewMs = timer.nsecsElapsed() / 1e6;

    const bool ok = Form1::instance()->List1->count() == files && script->messages.isEmpty();
    Form2::unload();
    std::printf("big_folder files=%d list_ms=%.0f scan_ms=%.0f first_preview_ms=%.0f\n", files, listMs,
                std::max(0.0, startMs - previewMs), startMs);
    return ok ? 0 : 1;
}

bool measure(const QString &self, const QString &mode, const QString &path, double &medianMs, double &peakMiB)
{
    QProcess child;
    child.start(self, {QStringLiteral("--child"), mode, path});
    if (!child.waitForFinished(600'000) || child.exitCode() != 0) {
        std::fprintf(stderr, "%s run on %s failed: %s\n", qPrintable(mode), qPrintable(path),
                     child.readAllStandardError().constData());
        return false;
    }
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 2)
        return false;
    medianMs = fields[0].toDouble();
    peakMiB = fields[1].toDouble();
    return true;
}
}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--child"))
        return runChild(args[2], args[3]);

    if (args.size() == 6 && args[1] == QLatin1String("--next-image"))
        return runNextImage(args[2], args[3].toInt(), args[4] == QLatin1String("1"), args[5].toInt());
    if (args.size() == 4 && args[1] == QLatin1String("--batch-memory"))
        return runBatchMemory(args[2], args[3].toInt());
    if (args.size() == 2 && args[1] == QLatin1String("--big-folder"))
        return runBigFolder(100'000);
    if (args.size() == 3 && args[1] == QLatin1String("--make"))
        return makeImages(args[2]) ? 0 : 1;

    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    // Made in a child too: a peak in this process would be inherited by every child.
    if (QProcess::execute(args[0], {QStringLiteral("--make"), dir.path()}) != 0) {
        std::fprintf(stderr, "cannot write the benchmark images\n");
        return 1;
    }
    struct Case {
        QString name;
        QString path;
    };
    const QList<Case> cases = {
        {QStringLiteral("jpeg_6000x4000_baseline"), dir.filePath(QStringLiteral("baseline.jpg"))},
        {QStringLiteral("jpeg_6000x4000_progressive"), dir.filePath(QStringLiteral("progressive.jpg"))},
        {QStringLiteral("bmp_4000x3000"), dir.filePath(QStringLiteral("large.bmp"))},
        {QStringLiteral("gif_2000x2000"), dir.filePath(QStringLiteral("large.gif"))},
    };

    for (const Case &c : cases) {
        double real = 0, realPeak = 0, naive = 0, naivePeak = 0;
        if (!measure(args[0], QStringLiteral("preview"), c.path, real, realPeak)
            || !measure(args[0], QStringLiteral("naive"), c.path, naive, naivePeak))
            return 1;
        std::printf("preview %s median_ms=%.1f naive_median_ms=%.1f ratio=%.2f peak_rss_mib=%.1f naive_peak_rss_mib=%.1f\n",
                    qPrintable(c.name), real, naive, naive / real, realPeak, naivePeak);
        std::fflush(stdout);
    }
    for (const Case &c : cases.mid(0, 2)) {
        const QString kind = c.name.endsWith(QLatin1String("progressive")) ? QStringLiteral("progressive")
                                                                           : QStringLiteral("baseline");
        for (int dwell : {0, 500}) {
            QList<QByteArray> figures;
            for (const char *prefetch : {"1", "0"}) {
                QProcess child;
                child.start(args[0], {QStringLiteral("--next-image"), c.path, QString::number(dwell),
                                      QLatin1String(prefetch), QStringLiteral("20")});
                if (!child.waitForFinished(600'000) || child.exitCode() != 0) {
                    std::fprintf(stderr, "next-image run failed: %s\n", child.readAllStandardError().constData());
                    return 1;
                }
                figures += child.readAllStandardOutput().trimmed().split(' ');
            }
            std::printf("next_image %s dwell_ms=%d median_ms=%s p95_ms=%s without_prefetch_median_ms=%s\n",
                        qPrintable(kind), dwell, figures[0].constData(), figures[1].constData(),
                        figures[2].constData());
            std::fflush(stdout);
        }
    }
    if (QProcess::execute(args[0], {QStringLiteral("--big-folder")}) != 0)
        return 1;
    return QProcess::execute(args[0], {QStringLiteral("--batch-memory"), cases[0].path, QStringLiteral("1000")});
}
