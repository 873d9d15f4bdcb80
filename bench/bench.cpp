// SPDX-License-Identifier: MIT
// fotoweave-bench: times the real preview path against the floor (libjpeg-turbo's
// own reduced decode at the same scale, or Qt's plain read for other formats) and
// a naive full decode plus scale, interleaved round by round in one process; and
// the real window: Start to first paint, bursts of Skips, hostile files. Each
// figure comes from a child process of its own, so peaks cannot hide each other.
#include "gifwriter.h"
#include "core/general.h"
#include "imaging/parseobject.h"
#include "core/folderlisting.h"
#include "core/imagefolder.h"
#include "imaging/prefetcher.h"
#include "imaging/previewloader.h"
#include "imaging/previewstatus.h"
#include "platform/scriptedplatform.h"
#include "ui/form1.h"
#include "ui/form2.h"

#include <QCheckBox>

#include <QListWidget>
#include <QPushButton>

#include <QApplication>
#include <QBuffer>
#include <QImageReader>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <turbojpeg.h>
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

/** The smallest scan of a progressive JPEG repeated 300 times: much work, nothing more to see. */
QByteArray scanBomb(const QByteArray &jpeg)
{
    QList<qsizetype> starts;
    for (qsizetype at = jpeg.indexOf("\xFF\xDA"); at >= 0; at = jpeg.indexOf("\xFF\xDA", at + 2))
        starts << at;
    const qsizetype end = jpeg.lastIndexOf("\xFF\xD9");
    if (starts.isEmpty() || end < 0)
        return QByteArray();
    starts << end;
    qsizetype best = 0;
    for (qsizetype i = 1; i + 1 < starts.size(); ++i) {
        if (starts[i + 1] - starts[i] < starts[best + 1] - starts[best])
            best = i;
    }
    const QByteArray scan = jpeg.mid(starts[best], starts[best + 1] - starts[best]);
    return jpeg.left(end) + scan.repeated(300) + jpeg.mid(end);
}

/** A progressive JPEG whose frame header says 14000 x 14000: decoding it would need about 600 MB of coefficients. */
QByteArray hugeProgressive()
{
    QImage image(QSize(16, 16), QImage::Format_RGB32);
    image.fill(Qt::gray);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(image);
    QByteArray jpeg = buffer.data();
    const qsizetype frame = jpeg.indexOf("\xFF\xC2");
    const char size[] = {char(14000 >> 8), char(14000 & 0xFF)};
    jpeg.replace(frame + 5, 2, size, 2);
    jpeg.replace(frame + 7, 2, size, 2);
    return jpeg;
}
bool makeImages(const QString &folder)
{
    const QImage photo = photoLike(QSize(6000, 4000));
    QImageWriter baseline(folder + QStringLiteral("/baseline.jpg"));
    baseline.setQuality(90);
    QImageWriter progressive(folder + QStringLiteral("/progressive.jpg"));
    progressive.setQuality(90);
    progressive.setProgressiveScanWrite(true);
    if (!baseline.write(photo) || !progressive.write(photo)
        || !photo.copy(0, 0, 4000, 3000).save(folder + QStringLiteral("/large.bmp"), "BMP")
        || !writeGif(folder + QStringLiteral("/large.gif"), QSize(2000, 2000)))
        return false;
    progressive.device()->close();
    QFile written(folder + QStringLiteral("/progressive.jpg"));
    QFile bomb(folder + QStringLiteral("/scanbomb.jpg"));
    QFile huge(folder + QStringLiteral("/huge_progressive.jpg"));
    if (!written.open(QIODevice::ReadOnly) || !bomb.open(QIODevice::WriteOnly) || !huge.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bombBytes = scanBomb(written.readAll());
    return !bombBytes.isEmpty() && bomb.write(bombBytes) == bombBytes.size() && huge.write(hugeProgressive()) > 0;
}

/** Waits, without spinning, until the listing and the preview on their way have arrived. */
void waitForPreview()
{
    while (FolderListing::shared().isBusy() || PreviewStatus::instance()->isLoading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/** libjpeg-turbo's own decode of the file, reduced to the scale the preview uses: the floor. */
bool floorDecode(const QString &path)
{
    const QByteArray bytes = fileBytes(path);
    if (!bytes.startsWith("\xFF\xD8")) {
        QImageReader reader(path); // no reduced decode in Qt's BMP and GIF readers
        return !reader.read().isNull();
    }
    tjhandle handle = tjInitDecompress();
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    bool ok = tjDecompressHeader3(handle, data, bytes.size(), &width, &height, &subsampling, &colorspace) == 0;
    if (ok) {
        const QSize wanted = (PreviewLoader::fittedSize(QSizeF(width, height) * PreviewLoader::TwipsPerPixel)
                              / PreviewLoader::TwipsPerPixel).toSize();
        int eighths = 1;
        while (eighths < 8 && ((width * eighths + 7) / 8 < wanted.width() || (height * eighths + 7) / 8 < wanted.height()))
            ++eighths;
        const int w = (width * eighths + 7) / 8, h = (height * eighths + 7) / 8;
        std::vector<unsigned char> pixels(std::size_t(w) * h * 4);
        ok = tjDecompress2(handle, data, bytes.size(), pixels.data(), w, w * 4, h, TJPF_BGRA, 0) == 0;
    }
    tjDestroy(handle);
    return ok;
}

double spread(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values.back() - values.front();
}

/** The preview's decode and the floor, interleaved round by round; then the naive decode. */
int runChild(const QString &path)
{
    std::vector<double> real, floor, naive;
    for (int run = 0; run <= Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        if (!PreviewLoader::load(path))
            return 1;
        const double realMs = timer.nsecsElapsed() / 1e6;
        timer.restart();
        if (!floorDecode(path))
            return 1;
        const double floorMs = timer.nsecsElapsed() / 1e6;
        if (run > 0) { // the first round only warms the caches
            real.push_back(realMs);
            floor.push_back(floorMs);
        }
    }
    const double peak = peakRssMiB(); // before the naive decode, which holds the whole image
    for (int run = 0; run <= Runs / 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        const QImage full(path);
        const QSizeF fitted = PreviewLoader::fittedSize(QSizeF(full.size()) * PreviewLoader::TwipsPerPixel)
            / PreviewLoader::TwipsPerPixel;
        if (full.scaled(fitted.toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation).isNull())
            return 1;
        if (run > 0)
            naive.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("%.2f %.2f %.1f %.2f %.2f %.2f\n", median(real), median(floor), peak, median(naive), spread(real),
                spread(floor));
    return 0;
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
    waitForPreview();
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
        waitForPreview();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    const bool ok = script->messages.isEmpty();
    Form2::unload();
    std::printf("%.1f %.1f\n", median(times), percentile(times, 0.95));
    return ok ? 0 : 1;
}

/**
 * Times "Add to SlideShow" to the next preview painted with web-sized photos
 * on, after the user has looked for dwell ms, and the seconds the whole batch
 * took; a dwell of 0 gives the throughput of the resize.
 */
int runWebCopy(const QString &image, int dwell, int images)
{
    QTemporaryDir dir;
    if (!linkedFolder(dir.filePath(QStringLiteral("photos")), image, images))
        return 1;
    QDir().mkpath(dir.filePath(QStringLiteral("web")));
    auto platform = std::make_unique<ScriptedPlatform>(QApplication::applicationDirPath());
    ScriptedPlatform *script = platform.get();
    Platform::install(std::move(platform));
    General::Main();
    Form2::instance()->mnuOpen->trigger();
    script->folderAnswers.enqueue(dir.filePath(QStringLiteral("photos")));
    Form1::instance()->btnSource->click();
    script->folderAnswers.enqueue(dir.filePath(QStringLiteral("web")));
    Form1::instance()->btnTarget->click();
    Form1::instance()->chkWebSized->setChecked(true);
    QElapsedTimer total;
    total.start();
    Form1::instance()->Command1->click();
    QApplication::processEvents();
    std::vector<double> times;
    for (int i = 0; i < images; ++i) {
        QThread::msleep(dwell);
        QElapsedTimer timer;
        timer.start();
        Form2::instance()->Command4->click();
        QApplication::processEvents();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    const double seconds = total.nsecsElapsed() / 1e9;
    const bool ok = script->messages.size() == 1 && QFileInfo::exists(dir.filePath(QStringLiteral("web/photo00000.jpg")));
    Form2::unload();
    std::printf("%.1f %.1f %.2f\n", median(times), percentile(times, 0.95), images / seconds);
    return ok ? 0 : 1;
}

/** The same resize by vipsthumbnail, in images per second; 0 when it is not installed. */
double vipsThroughput(const QString &image, int images)
{
    QTemporaryDir dir;
    if (!linkedFolder(dir.filePath(QStringLiteral("photos")), image, images))
        return 0;
    QStringList args{QStringLiteral("--size=2048x2048"), QStringLiteral("--rotate"),
                     QStringLiteral("-o"), dir.filePath(QStringLiteral("%s-web.jpg[Q=85]"))};
    for (int i = 0; i < images; ++i)
        args << dir.filePath(QStringLiteral("photos/photo%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
    QElapsedTimer timer;
    timer.start();
    if (QProcess::execute(QStringLiteral("vipsthumbnail"), args) != 0)
        return 0;
    return images / (timer.nsecsElapsed() / 1e9);
}

/** One web_copy line per dwell: Add to next image, and throughput against vipsthumbnail. */
bool benchWebCopy(const QString &self, const QString &image)
{
    constexpr int Images = 12;
    const double vips = vipsThroughput(image, Images);
    for (int dwell : {0, 500}) {
        QProcess child;
        child.start(self, {QStringLiteral("--web-copy"), image, QString::number(dwell), QString::number(Images)});
        if (!child.waitForFinished(600'000) || child.exitCode() != 0) {
            std::fprintf(stderr, "web-copy run failed: %s\n", child.readAllStandardError().constData());
            return false;
        }
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        std::printf("web_copy jpeg_6000x4000 dwell_ms=%d add_to_next_median_ms=%s p95_ms=%s images_per_s=%s "
                    "vipsthumbnail_images_per_s=%.2f vips_ratio=%.2f\n",
                    dwell, figures[0].constData(), figures[1].constData(), figures[2].constData(), vips,
                    vips > 0 ? vips / figures[2].toDouble() : 0.0);
        std::fflush(stdout);
    }
    return true;
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
        waitForPreview();
    }
    Form2::instance()->Next->click();
    const bool ok = script->messages == QStringList{QStringLiteral("Last image reached.")};
    std::printf("batch_memory images=%d peak_rss_mib=%.1f start_rss_mib=%.1f\n", images, peakRssMiB(), start);
    Form2::unload();
    return ok ? 0 : 1;
}

/** A folder of files names: the first is the photo, the rest small JPEGs. Links where it can. */
bool bigFolder(const QString &folder, const QString &photo, int files)
{
    QDir().mkpath(folder);
    if (!QFile::copy(photo, folder + QStringLiteral("/a_first.jpg")))
        return false;
    QImage small(QSize(64, 48), QImage::Format_RGB32);
    small.fill(Qt::darkYellow);
    QByteArray original;
    for (int i = 1; i < files; ++i) {
        const QString name = folder + QStringLiteral("/photo%1.jpg").arg(i, 6, 10, QLatin1Char('0'));
        if (i % 50'000 == 1) { // a file system allows only so many links to one file
            if (!small.save(name))
                return false;
            original = QFile::encodeName(name);
        } else if (::link(original.constData(), QFile::encodeName(name).constData()) != 0) {
            return false;
        }
    }
    return true;
}

/**
 * A quick user: chooses the folder and presses "Start" at once; timed from
 * "Start" to the first photo painted. The floor, one listing plus one reduced
 * decode, is measured in the same rounds.
 */
int runFirstPreview(const QString &photo, int files)
{
    QTemporaryDir dir;
    const QString photos = dir.filePath(QStringLiteral("photos"));
    if (!bigFolder(photos, photo, files)) {
        std::fprintf(stderr, "cannot fill %s\n", qPrintable(photos));
        return 1;
    }
    auto platform = std::make_unique<ScriptedPlatform>(QApplication::applicationDirPath());
    ScriptedPlatform *script = platform.get();
    Platform::install(std::move(platform));
    General::Main();

    std::vector<double> times, floors, lists;
    for (int round = 0; round <= 5; ++round) {
        Form2::instance()->mnuOpen->trigger();
        QApplication::processEvents();
        // A fresh target each round, so that no earlier page is asked about.
        const QString target = dir.filePath(QStringLiteral("target%1").arg(round));
        QDir().mkpath(target);
        script->folderAnswers.enqueue(photos);
        script->folderAnswers.enqueue(target);
        QElapsedTimer listTimer;
        listTimer.start();
        Form1::instance()->btnSource->click();
        Form1::instance()->btnTarget->click();
        QElapsedTimer timer;
        timer.start();
        Form1::instance()->Command1->click();
        waitForPreview();
        const double startToPaint = timer.nsecsElapsed() / 1e6;
        const double listing = listTimer.nsecsElapsed() / 1e6 - startToPaint;
        Form2::instance()->mnuClose->trigger();

        timer.restart();
        if (ImageFolder::list(photos).size() != std::size_t(files) || !floorDecode(photos + QStringLiteral("/a_first.jpg"))) {
            std::fprintf(stderr, "the floor's listing or decode failed\n");
            return 1;
        }
        if (round > 0) {
            times.push_back(startToPaint);
            floors.push_back(timer.nsecsElapsed() / 1e6);
            lists.push_back(listing);
        }
    }
    const bool ok = Form1::instance()->List1->count() == files && script->messages.isEmpty();
    Form2::unload();
    std::printf("first_preview files=%d start_to_paint_ms=%.0f floor_ms=%.0f ratio=%.2f spread_ms=%.0f floor_spread_ms=%.0f\n",
                files, median(times), median(floors), median(times) / median(floors), spread(times), spread(floors));
    return ok ? 0 : 1;
}

/** Shows a folder of hostile files, then skips through it, while a 1 ms timer watches the window. */
int runHostile(const QString &kind, const QString &file, int copies)
{
    QTemporaryDir dir;
    const QString photos = dir.filePath(QStringLiteral("photos"));
    QDir().mkpath(photos);
    for (int i = 0; i < copies; ++i) {
        if (!QFile::copy(file, photos + QStringLiteral("/%1_%2.jpg").arg(kind).arg(i)))
            return 1;
    }
    QImage after(QSize(64, 48), QImage::Format_RGB32);
    after.fill(Qt::darkGreen);
    if (!after.save(photos + QStringLiteral("/z_after.jpg")))
        return 1;

    double stall = 0;
    QElapsedTimer sinceTick;
    QTimer watch;
    watch.setTimerType(Qt::PreciseTimer);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        stall = std::max(stall, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    });
    auto platform = std::make_unique<ScriptedPlatform>(QApplication::applicationDirPath());
    ScriptedPlatform *script = platform.get();
    Platform::install(std::move(platform));
    General::Main();
    sinceTick.start();
    watch.start(1);
    Form2::instance()->mnuOpen->trigger();
    script->folderAnswers.enqueue(photos);
    Form1::instance()->btnSource->click();
    Form1::instance()->Command1->click();
    // The user presses Skip every 100 ms, without waiting for the preview.
    for (int i = 0; i < copies; ++i) {
        QElapsedTimer pause;
        pause.start();
        while (pause.elapsed() < 100)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        Form2::instance()->Next->click();
    }
    waitForPreview();
    sinceTick.restart();
    watch.stop();
    const bool ok = objMediator->GetSourceFile().endsWith(QLatin1String("z_after.jpg"));
    Form2::unload();
    std::printf("hostile file=%s max_event_loop_stall_ms=%.0f peak_rss_mib=%.1f files=%d\n", qPrintable(kind), stall,
                peakRssMiB(), copies);
    return ok ? 0 : 1;
}

bool measure(const QString &self, const QString &path, QList<double> &figures)
{
    QProcess child;
    child.start(self, {QStringLiteral("--child"), path});
    if (!child.waitForFinished(600'000) || child.exitCode() != 0) {
        std::fprintf(stderr, "preview run on %s failed: %s\n", qPrintable(path), child.readAllStandardError().constData());
        return false;
    }
    figures.clear();
    for (const QByteArray &field : child.readAllStandardOutput().trimmed().split(' '))
        figures << field.toDouble();
    return figures.size() == 6;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--child"))
        return runChild(args[2]);
    if (args.size() == 6 && args[1] == QLatin1String("--next-image"))
        return runNextImage(args[2], args[3].toInt(), args[4] == QLatin1String("1"), args[5].toInt());
    if (args.size() == 5 && args[1] == QLatin1String("--web-copy"))
        return runWebCopy(args[2], args[3].toInt(), args[4].toInt());
    if (args.size() == 3 && args[1] == QLatin1String("--web-copy-only")) {
        // Only the web_copy lines, on images made for the purpose.
        if (QProcess::execute(args[0], {QStringLiteral("--make"), args[2]}) != 0)
            return 1;
        return benchWebCopy(args[0], args[2] + QStringLiteral("/baseline.jpg")) ? 0 : 1;
    }
    if (args.size() == 4 && args[1] == QLatin1String("--batch-memory"))
        return runBatchMemory(args[2], args[3].toInt());
    if (args.size() == 4 && args[1] == QLatin1String("--first-preview"))
        return runFirstPreview(args[2], args[3].toInt());
    if (args.size() == 5 && args[1] == QLatin1String("--hostile"))
        return runHostile(args[2], args[3], args[4].toInt());
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
    const QString bombPath = dir.filePath(QStringLiteral("scanbomb.jpg"));
    const QString hugePath = dir.filePath(QStringLiteral("huge_progressive.jpg"));
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
        QList<double> f; // median, floor median, peak, naive median, spread, floor spread
        if (!measure(args[0], c.path, f))
            return 1;
        std::printf("preview %s median_ms=%.1f floor_median_ms=%.1f floor_ratio=%.2f peak_rss_mib=%.1f "
                    "spread_ms=%.1f floor_spread_ms=%.1f naive_median_ms=%.1f naive_ratio=%.2f\n",
                    qPrintable(c.name), f[0], f[1], f[0] / f[1], f[2], f[4], f[5], f[3], f[3] / f[0]);
        std::fflush(stdout);
    }
    const auto child = [&args](const QStringList &arguments, QList<QByteArray> *figures) {
        QProcess process;
        process.start(args[0], arguments);
        if (!process.waitForFinished(900'000) || process.exitCode() != 0) {
            std::fprintf(stderr, "%s failed: %s\n", qPrintable(arguments.join(QLatin1Char(' '))),
                         process.readAllStandardError().constData());
            return false;
        }
        const QByteArray out = process.readAllStandardOutput();
        if (figures)
            *figures += out.trimmed().split(' ');
        else
            std::printf("%s", out.constData());
        std::fflush(stdout);
        return true;
    };
    for (int files : {1000, 100'000}) {
        if (!child({QStringLiteral("--first-preview"), cases[0].path, QString::number(files)}, nullptr))
            return 1;
    }
    for (const Case &c : cases.mid(0, 2)) {
        const QString kind = c.name.endsWith(QLatin1String("progressive")) ? QStringLiteral("progressive")
                                                                           : QStringLiteral("baseline");
        for (int dwell : {0, 500}) {
            QList<QByteArray> figures;
            for (const char *prefetch : {"1", "0"}) {
                if (!child({QStringLiteral("--next-image"), c.path, QString::number(dwell), QLatin1String(prefetch),
                            QStringLiteral("20")}, &figures))
                    return 1;
            }
            if (dwell == 0)
                std::printf("skip_burst kind=%s median_ms=%s p95_ms=%s without_lookahead_median_ms=%s "
                            "without_lookahead_p95_ms=%s\n",
                            qPrintable(kind), figures[0].constData(), figures[1].constData(), figures[2].constData(),
                            figures[3].constData());
            std::printf("next_image %s dwell_ms=%d median_ms=%s p95_ms=%s without_prefetch_median_ms=%s\n",
                        qPrintable(kind), dwell, figures[0].constData(), figures[1].constData(),
                        figures[2].constData());
            std::fflush(stdout);
        }
    }
    if (!benchWebCopy(args[0], cases[0].path))
        return 1;
    if (!child({QStringLiteral("--hostile"), QStringLiteral("scanbomb"), bombPath, QStringLiteral("1")}, nullptr)
        || !child({QStringLiteral("--hostile"), QStringLiteral("huge_progressive"), hugePath, QStringLiteral("4")}, nullptr))
        return 1;
    return QProcess::execute(args[0], {QStringLiteral("--batch-memory"), cases[0].path, QStringLiteral("1000")});
}
