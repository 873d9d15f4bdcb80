// SPDX-License-Identifier: MIT
// fotoweave-bench: times the real preview path against the floor (libjpeg-turbo's
// own reduced decode at the same scale, or Qt's plain read for other formats) and
// a naive full decode plus scale, interleaved round by round in one process; and
// the real window: Start to first paint, bursts of Skips, hostile files. Each
// figure comes from a child process of its own, so peaks cannot hide each other.
// Exits 0 only when every run succeeded; a run that failed is named on stderr.
// --short runs the same code on tiny images with few rounds, in seconds: its
// figures mean nothing, it only shows that every run still works.
#include "gifwriter.h"
#include "core/general.h"
#include "document/pagetext.h"
#include "document/slidelistmodel.h"
#include "document/slideshowtemplates.h"
#include "imaging/parseobject.h"
#include "imaging/folderlisting.h"
#include "imaging/imagefolder.h"
#include "imaging/prefetcher.h"
#include "imaging/previewloader.h"
#include "imaging/previewstatus.h"
#include "platform/scriptedplatform.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/showeditor.h"

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
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <turbojpeg.h>
#include <unistd.h>

namespace {
/** How much each run does: the full figures, or the short run's tiny images and few rounds. */
struct Scale {
    QSize photo{6000, 4000};
    QSize bmp{4000, 3000};
    QSize gif{2000, 2000};
    int rounds = 15;            // timed rounds of a preview line
    int firstPreviewRounds = 5; // timed rounds of a first_preview line
    QList<int> folderSizes{1000, 100'000};
    int nextImages = 20;
    int dwellMs = 500;          // the user's look at a photo before moving on
    int webCopies = 12;
    int hugeCopies = 4;
    int batchImages = 1000;
    int editedSlides = 10'000;
    int makePhotos = 24;      // fotoweave make against vipsthumbnail
    int makeManyPhotos = 1000; // and its memory over a long run
};

Scale shortScale()
{
    Scale scale;
    scale.photo = QSize(480, 320);
    scale.bmp = QSize(320, 240);
    scale.gif = QSize(160, 160);
    scale.rounds = 2;
    scale.firstPreviewRounds = 1;
    scale.folderSizes = {50};
    scale.nextImages = 3;
    scale.dwellMs = 20;
    scale.webCopies = 2;
    scale.hugeCopies = 2;
    scale.batchImages = 6;
    scale.editedSlides = 50;
    scale.makePhotos = 3;
    scale.makeManyPhotos = 8;
    return scale;
}

// Set once in main, before anything runs; every child process gets the same.
bool s_short = false;
Scale s_scale;

/** Says on stderr why this run failed; returns the failing exit status. */
int failure(const QString &why)
{
    std::fprintf(stderr, "%s\n", qPrintable(why));
    return 1;
}

QString sizeName(QSize size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

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
    const QImage photo = photoLike(s_scale.photo);
    QImageWriter baseline(folder + QStringLiteral("/baseline.jpg"));
    baseline.setQuality(90);
    QImageWriter progressive(folder + QStringLiteral("/progressive.jpg"));
    progressive.setQuality(90);
    progressive.setProgressiveScanWrite(true);
    if (!baseline.write(photo) || !progressive.write(photo)
        || !photo.copy(QRect(QPoint(0, 0), s_scale.bmp)).save(folder + QStringLiteral("/large.bmp"), "BMP")
        || !writeGif(folder + QStringLiteral("/large.gif"), s_scale.gif))
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
    while (FolderListing::shared().isBusy() || (objMediator && objMediator->isLoading()))
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
    for (int run = 0; run <= s_scale.rounds; ++run) {
        QElapsedTimer timer;
        timer.start();
        if (!PreviewLoader::load(path))
            return failure(QStringLiteral("the preview's decode of %1 failed").arg(path));
        const double realMs = timer.nsecsElapsed() / 1e6;
        timer.restart();
        if (!floorDecode(path))
            return failure(QStringLiteral("the floor's decode of %1 failed").arg(path));
        const double floorMs = timer.nsecsElapsed() / 1e6;
        if (run > 0) { // the first round only warms the caches
            real.push_back(realMs);
            floor.push_back(floorMs);
        }
    }
    const double peak = peakRssMiB(); // before the naive decode, which holds the whole image
    for (int run = 0; run <= std::max(1, s_scale.rounds / 3); ++run) {
        QElapsedTimer timer;
        timer.start();
        const QImage full(path);
        const QSizeF fitted = PreviewLoader::fittedSize(QSizeF(full.size()) * PreviewLoader::TwipsPerPixel)
            / PreviewLoader::TwipsPerPixel;
        if (full.scaled(fitted.toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation).isNull())
            return failure(QStringLiteral("the naive decode of %1 failed").arg(path));
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

/** Puts a scripted platform, with the templates beside the benchmark, under the program; it answers what the run queues. */
ScriptedPlatform *installScriptedPlatform()
{
    auto platform = std::make_unique<ScriptedPlatform>(QApplication::applicationDirPath());
    ScriptedPlatform *script = platform.get();
    Platform::install(std::move(platform));
    return script;
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
    ScriptedPlatform *script = installScriptedPlatform();
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
        return failure(QStringLiteral("cannot fill %1").arg(dir.filePath(QStringLiteral("photos"))));
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
    const QStringList messages = script->messages;
    Form2::unload();
    if (!messages.isEmpty())
        return failure(QStringLiteral("the batch showed messages: ") + messages.join(QStringLiteral(" | ")));
    std::printf("%.1f %.1f\n", median(times), percentile(times, 0.95));
    return 0;
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
        return failure(QStringLiteral("cannot fill %1").arg(dir.filePath(QStringLiteral("photos"))));
    QDir().mkpath(dir.filePath(QStringLiteral("web")));
    ScriptedPlatform *script = installScriptedPlatform();
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
    const QStringList messages = script->messages;
    const bool copied = QFileInfo::exists(dir.filePath(QStringLiteral("web/photo00000.jpg")));
    Form2::unload();
    // The one message is the end of the batch.
    if (messages.size() != 1 || !messages[0].startsWith(QLatin1String("Last image reached.\n")))
        return failure(QStringLiteral("the batch showed messages: ") + messages.join(QStringLiteral(" | ")));
    if (!copied)
        return failure(QStringLiteral("no web-sized copy of photo00000.jpg was written"));
    std::printf("%.1f %.1f %.2f\n", median(times), percentile(times, 0.95), images / seconds);
    return 0;
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

/** Runs a whole batch of many photos and reports the memory it took. */
int runBatchMemory(const QString &image, int images)
{
    QTemporaryDir dir;
    if (!linkedFolder(dir.filePath(QStringLiteral("photos")), image, images))
        return failure(QStringLiteral("cannot fill %1").arg(dir.filePath(QStringLiteral("photos"))));
    ScriptedPlatform *script = startBatch(dir.filePath(QStringLiteral("photos")));
    const double start = currentRssMiB();
    int added = 0;
    for (int i = 1; i < images; ++i) {
        if (i % 2) {
            Form2::instance()->Command4->click();
            ++added;
        } else {
            Form2::instance()->Next->click();
        }
        waitForPreview();
    }
    Form2::instance()->Next->click();
    // The end of the batch names how many photos went into which page.
    const QString expected = QStringLiteral("Last image reached.\n%1 of %2 added to %3")
                                 .arg(added)
                                 .arg(images)
                                 .arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("photos/SlideShow.htm"))));
    const QStringList messages = script->messages;
    const double peak = peakRssMiB();
    Form2::unload();
    if (messages != QStringList{expected})
        return failure(QStringLiteral("expected the one message \"%1\", the batch showed: %2")
                           .arg(expected, messages.join(QStringLiteral(" | "))));
    std::printf("batch_memory images=%d peak_rss_mib=%.1f start_rss_mib=%.1f\n", images, peak, start);
    return 0;
}

/**
 * Opens a page of many slides in the show editor, changes a caption and saves
 * it, while a 1 ms timer watches the window: open and save times (until the
 * list is filled, until the page is written), the longest the window waited
 * meanwhile, and the memory it all took.
 */
int runEditShow(const QString &image, int slides)
{
    QTemporaryDir dir;
    const QString photos = dir.filePath(QStringLiteral("photos"));
    if (!linkedFolder(photos, image, slides))
        return failure(QStringLiteral("cannot fill %1").arg(photos));
    ScriptedPlatform *script = installScriptedPlatform();
    const SlideShowTemplates templates = SlideShowTemplates::read();
    QByteArray page = templates.head + "\r\n";
    for (int i = 0; i < slides; ++i)
        page += PageText::entry(i + 1, QStringLiteral("photo%1.jpg").arg(i, 5, 10, QLatin1Char('0')),
                                QStringLiteral("Caption of photo %1, a line as long as a caption often is").arg(i), QString());
    page += PageText::closing(templates.middle, QStringLiteral("photo00000.jpg"), QStringLiteral("Many Slides"), templates.end);
    const QString path = photos + QStringLiteral("/SlideShow.htm");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size())
        return failure(QStringLiteral("cannot write ") + path);
    file.close();

    double stall = 0;
    QElapsedTimer sinceTick;
    QTimer watch;
    watch.setTimerType(Qt::PreciseTimer);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        stall = std::max(stall, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    });
    sinceTick.start();
    watch.start(1);
    QElapsedTimer timer;
    timer.start();
    ShowEditor *editor = ShowEditor::open(path);
    bool opened = false;
    QObject::connect(editor, &ShowEditor::opened, [&] { opened = true; });
    while (!opened && timer.elapsed() < 60'000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    const double openMs = timer.nsecsElapsed() / 1e6;
    const double openStall = stall;
    // The thumbnails on screen arrive meanwhile.
    QElapsedTimer settle;
    settle.start();
    stall = 0;
    while (settle.elapsed() < 500)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    editor->model()->setCaption(slides / 2, QStringLiteral("Changed"));
    bool saved = false;
    QObject::connect(editor, &ShowEditor::saved, [&](bool ok) { saved = ok; });
    timer.restart();
    const double idleStall = stall;
    stall = 0;
    editor->save();
    while (editor->isBusy() && timer.elapsed() < 60'000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    const double saveMs = timer.nsecsElapsed() / 1e6;
    watch.stop();
    const double peak = peakRssMiB();
    const int listed = editor->model()->rowCount();
    editor->close();
    if (!opened || listed != slides || !saved || !script->messages.isEmpty())
        return failure(QStringLiteral("the editor listed %1 of %2 slides; messages: %3")
                           .arg(listed).arg(slides).arg(script->messages.join(QStringLiteral(" | "))));
    std::printf("edit_show slides=%d open_ms=%.0f open_max_stall_ms=%.0f save_ms=%.0f save_max_stall_ms=%.0f "
                "idle_max_stall_ms=%.0f peak_rss_mib=%.1f\n", slides, openMs, openStall, saveMs, stall, idleStall, peak);
    return 0;
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
    if (!bigFolder(photos, photo, files))
        return failure(QStringLiteral("cannot fill %1").arg(photos));
    ScriptedPlatform *script = installScriptedPlatform();
    General::Main();

    std::vector<double> times, floors, lists;
    for (int round = 0; round <= s_scale.firstPreviewRounds; ++round) {
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
            return failure(QStringLiteral("the floor's listing or decode failed"));
        }
        if (round > 0) {
            times.push_back(startToPaint);
            floors.push_back(timer.nsecsElapsed() / 1e6);
            lists.push_back(listing);
        }
    }
    const int listed = Form1::instance()->List1->count();
    const QStringList messages = script->messages;
    Form2::unload();
    if (listed != files)
        return failure(QStringLiteral("the Images window listed %1 of %2 files").arg(listed).arg(files));
    if (!messages.isEmpty())
        return failure(QStringLiteral("the batch showed messages: ") + messages.join(QStringLiteral(" | ")));
    std::printf("first_preview files=%d start_to_paint_ms=%.0f floor_ms=%.0f ratio=%.2f spread_ms=%.0f floor_spread_ms=%.0f\n",
                files, median(times), median(floors), median(times) / median(floors), spread(times), spread(floors));
    return 0;
}

/** Shows a folder of hostile files, then skips through it, while a 1 ms timer watches the window. */
int runHostile(const QString &kind, const QString &file, int copies)
{
    QTemporaryDir dir;
    const QString photos = dir.filePath(QStringLiteral("photos"));
    QDir().mkpath(photos);
    for (int i = 0; i < copies; ++i) {
        if (!QFile::copy(file, photos + QStringLiteral("/%1_%2.jpg").arg(kind).arg(i)))
            return failure(QStringLiteral("cannot copy %1 into %2").arg(file, photos));
    }
    QImage after(QSize(64, 48), QImage::Format_RGB32);
    after.fill(Qt::darkGreen);
    if (!after.save(photos + QStringLiteral("/z_after.jpg")))
        return failure(QStringLiteral("cannot write %1/z_after.jpg").arg(photos));

    double stall = 0;
    QElapsedTimer sinceTick;
    QTimer watch;
    watch.setTimerType(Qt::PreciseTimer);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        stall = std::max(stall, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    });
    ScriptedPlatform *script = installScriptedPlatform();
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
    const QString shown = objMediator->GetSourceFile();
    Form2::unload();
    if (!shown.endsWith(QLatin1String("z_after.jpg")))
        return failure(QStringLiteral("the batch ended on \"%1\", not on z_after.jpg").arg(shown));
    std::printf("hostile file=%s max_event_loop_stall_ms=%.0f peak_rss_mib=%.1f files=%d\n", qPrintable(kind), stall,
                peakRssMiB(), copies);
    return 0;
}


/** Runs each measurement in a child of this program and keeps the names of the runs that failed. */
class Driver
{
public:
    /**
     * Runs this program with arguments (and --short in the short run) and gives
     * what it printed; a run that fails is named on stderr with the child's reason.
     */
    bool run(const QString &name, const QStringList &arguments, QByteArray *out = nullptr)
    {
        QProcess process;
        process.start(QCoreApplication::applicationFilePath(),
                      s_short ? QStringList{QStringLiteral("--short")} + arguments : arguments);
        const bool finished = process.waitForFinished(900'000);
        QString how;
        if (!finished) {
            how = QStringLiteral("did not finish: ") + process.errorString();
            process.kill();
            process.waitForFinished();
        } else if (process.exitStatus() != QProcess::NormalExit) {
            how = QStringLiteral("crashed");
        } else if (process.exitCode() != 0) {
            how = QStringLiteral("exited with status %1").arg(process.exitCode());
        }
        if (how.isEmpty()) {
            if (out)
                *out = process.readAllStandardOutput();
            return true;
        }
        return failed(name, how + QStringLiteral("\n") + QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
    }

    /** Runs a child that prints count figures on one line. */
    bool figures(const QString &name, const QStringList &arguments, qsizetype count, QList<QByteArray> &figures)
    {
        QByteArray out;
        if (!run(name, arguments, &out))
            return false;
        const QList<QByteArray> printed = out.trimmed().split(' ');
        if (printed.size() != count)
            return failed(name, QStringLiteral("printed \"%1\", not %2 figures").arg(QString::fromLocal8Bit(out.trimmed())).arg(count));
        figures += printed;
        return true;
    }

    /** Runs a child that prints its own lines, and passes them on. */
    void lines(const QString &name, const QStringList &arguments)
    {
        QByteArray out;
        if (run(name, arguments, &out)) {
            std::printf("%s", out.constData());
            std::fflush(stdout);
        }
    }

    bool failed(const QString &name, const QString &why)
    {
        std::fprintf(stderr, "fotoweave-bench: %s failed: %s\n", qPrintable(name), qPrintable(why));
        m_failed << name;
        return false;
    }

    /** 0 when every run succeeded; otherwise names them all once more. */
    int exitCode() const
    {
        if (m_failed.isEmpty())
            return 0;
        std::fprintf(stderr, "fotoweave-bench: %d run(s) failed: %s\n", int(m_failed.size()),
                     qPrintable(m_failed.join(QStringLiteral("; "))));
        return 1;
    }

private:
    QStringList m_failed;
};

/** One web_copy line per dwell: Add to next image, and throughput against vipsthumbnail. */
void benchWebCopy(Driver &driver, const QString &image)
{
    const int images = s_scale.webCopies;
    const double vips = vipsThroughput(image, images);
    for (int dwell : {0, s_scale.dwellMs}) {
        const QString name = QStringLiteral("web_copy jpeg_%1 dwell_ms=%2").arg(sizeName(s_scale.photo)).arg(dwell);
        QList<QByteArray> f;
        if (!driver.figures(name, {QStringLiteral("--web-copy"), image, QString::number(dwell), QString::number(images)}, 3, f))
            continue;
        std::printf("%s add_to_next_median_ms=%s p95_ms=%s images_per_s=%s vipsthumbnail_images_per_s=%.2f vips_ratio=%.2f\n",
                    qPrintable(name), f[0].constData(), f[1].constData(), f[2].constData(), vips,
                    vips > 0 ? vips / f[2].toDouble() : 0.0);
        std::fflush(stdout);
    }
}

/** How a run of another program went: its exit status, its time and the most memory it held. */
struct ProgramRun {
    int status = -1;
    double seconds = 0;
    double peakRssMiB = 0;
};

/** Runs program with arguments to its end, timing it and reading its own peak memory. */
ProgramRun runProgram(const QString &program, const QStringList &arguments)
{
    std::vector<QByteArray> bytes{QFile::encodeName(program)};
    for (const QString &argument : arguments)
        bytes.push_back(QFile::encodeName(argument));
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    ProgramRun run;
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return run;
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.seconds = timer.nsecsElapsed() / 1e9;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.peakRssMiB = usage.ru_maxrss / 1024.0;
    return run;
}

/**
 * fotoweave make with web-sized copies, on all cores, against vipsthumbnail
 * making the same copies one after another; then its memory over many photos.
 */
void benchMake(Driver &driver, const QString &image)
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/fotoweave");
    QTemporaryDir dir;
    ProgramRun runs[2];
    const int counts[2] = {s_scale.makePhotos, s_scale.makeManyPhotos};
    double vips = 0;
    for (int i = 0; i < 2; ++i) {
        const QString photos = dir.filePath(QStringLiteral("photos%1").arg(i));
        if (!linkedFolder(photos, image, counts[i])) {
            driver.failed(QStringLiteral("make"), QStringLiteral("cannot link the photos into ") + photos);
            return;
        }
        runs[i] = runProgram(program, {QStringLiteral("make"), QStringLiteral("--quiet"), QStringLiteral("--web-sized"),
                                       QStringLiteral("--captions"), QStringLiteral("none"), photos,
                                       dir.filePath(QStringLiteral("show%1").arg(i))});
        if (runs[i].status != 0) {
            driver.failed(QStringLiteral("make photos=%1").arg(counts[i]), QStringLiteral("%1 make ended with status %2").arg(program).arg(runs[i].status));
            return;
        }
        if (i == 0)
            vips = vipsThroughput(image, counts[0]); // right after, under the same load; 0 without libvips-tools
    }
    const double rate = counts[0] / runs[0].seconds;
    std::printf("make photos=%d cores=%d seconds=%.2f images_per_s=%.2f vipsthumbnail_images_per_s=%s ratio=%s\n",
                counts[0], QThread::idealThreadCount(), runs[0].seconds, rate,
                vips > 0 ? qPrintable(QString::number(vips, 'f', 2)) : "none",
                vips > 0 ? qPrintable(QString::number(rate / vips, 'f', 2)) : "none");
    std::printf("make photos=%d peak_rss_mib=%.1f photos_%d_peak_rss_mib=%.1f\n", counts[1], runs[1].peakRssMiB,
                counts[0], runs[0].peakRssMiB);
    std::fflush(stdout);
}

int usage()
{
    std::fprintf(stderr, "usage: fotoweave-bench [--short] [--web-copy-only FOLDER | --make-only FOLDER]\n"
                         "  --short  tiny images and few rounds: checks that every run works, in seconds\n");
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.size() > 1 && args[1] == QLatin1String("--short")) {
        s_short = true;
        s_scale = shortScale();
        args.removeAt(1);
    }
    // The runs, each in a child process of its own.
    if (args.size() == 3 && args[1] == QLatin1String("--child"))
        return runChild(args[2]);
    if (args.size() == 6 && args[1] == QLatin1String("--next-image"))
        return runNextImage(args[2], args[3].toInt(), args[4] == QLatin1String("1"), args[5].toInt());
    if (args.size() == 5 && args[1] == QLatin1String("--web-copy"))
        return runWebCopy(args[2], args[3].toInt(), args[4].toInt());
    if (args.size() == 4 && args[1] == QLatin1String("--batch-memory"))
        return runBatchMemory(args[2], args[3].toInt());
    if (args.size() == 4 && args[1] == QLatin1String("--edit-show"))
        return runEditShow(args[2], args[3].toInt());
    if (args.size() == 4 && args[1] == QLatin1String("--first-preview"))
        return runFirstPreview(args[2], args[3].toInt());
    if (args.size() == 5 && args[1] == QLatin1String("--hostile"))
        return runHostile(args[2], args[3], args[4].toInt());
    if (args.size() == 3 && args[1] == QLatin1String("--make"))
        return makeImages(args[2]) ? 0 : failure(QStringLiteral("cannot write the benchmark images to ") + args[2]);

    Driver driver;
    if (args.size() == 3 && args[1] == QLatin1String("--web-copy-only")) {
        // Only the web_copy lines, on images made for the purpose.
        if (driver.run(QStringLiteral("making the images"), {QStringLiteral("--make"), args[2]}))
            benchWebCopy(driver, args[2] + QStringLiteral("/baseline.jpg"));
        return driver.exitCode();
    }
    if (args.size() == 3 && args[1] == QLatin1String("--make-only")) {
        // Only the make lines.
        if (driver.run(QStringLiteral("making the images"), {QStringLiteral("--make"), args[2]}))
            benchMake(driver, args[2] + QStringLiteral("/baseline.jpg"));
        return driver.exitCode();
    }
    if (args.size() != 1)
        return usage();

    QTemporaryDir dir;
    if (!dir.isValid())
        return failure(QStringLiteral("fotoweave-bench: cannot make a temporary folder: ") + dir.errorString());
    // Made in a child too: a peak in this process would be inherited by every child.
    if (!driver.run(QStringLiteral("making the images"), {QStringLiteral("--make"), dir.path()}))
        return driver.exitCode();
    const QString bombPath = dir.filePath(QStringLiteral("scanbomb.jpg"));
    const QString hugePath = dir.filePath(QStringLiteral("huge_progressive.jpg"));
    struct Case {
        QString name;
        QString path;
    };
    const QString photo = sizeName(s_scale.photo);
    const QList<Case> cases = {
        {QStringLiteral("jpeg_%1_baseline").arg(photo), dir.filePath(QStringLiteral("baseline.jpg"))},
        {QStringLiteral("jpeg_%1_progressive").arg(photo), dir.filePath(QStringLiteral("progressive.jpg"))},
        {QStringLiteral("bmp_") + sizeName(s_scale.bmp), dir.filePath(QStringLiteral("large.bmp"))},
        {QStringLiteral("gif_") + sizeName(s_scale.gif), dir.filePath(QStringLiteral("large.gif"))},
    };

    for (const Case &c : cases) {
        QList<QByteArray> figures; // median, floor median, peak, naive median, spread, floor spread
        if (!driver.figures(QStringLiteral("preview ") + c.name, {QStringLiteral("--child"), c.path}, 6, figures))
            continue;
        QList<double> f;
        for (const QByteArray &figure : std::as_const(figures))
            f << figure.toDouble();
        std::printf("preview %s median_ms=%.1f floor_median_ms=%.1f floor_ratio=%.2f peak_rss_mib=%.1f "
                    "spread_ms=%.1f floor_spread_ms=%.1f naive_median_ms=%.1f naive_ratio=%.2f\n",
                    qPrintable(c.name), f[0], f[1], f[0] / f[1], f[2], f[4], f[5], f[3], f[3] / f[0]);
        std::fflush(stdout);
    }
    for (int files : s_scale.folderSizes) {
        driver.lines(QStringLiteral("first_preview files=%1").arg(files),
                     {QStringLiteral("--first-preview"), cases[0].path, QString::number(files)});
    }
    for (const Case &c : cases.mid(0, 2)) {
        const QString kind = c.name.endsWith(QLatin1String("progressive")) ? QStringLiteral("progressive")
                                                                           : QStringLiteral("baseline");
        for (int dwell : {0, s_scale.dwellMs}) {
            QList<QByteArray> figures;
            bool ok = true;
            for (const char *prefetch : {"1", "0"}) {
                ok = driver.figures(QStringLiteral("next_image %1 dwell_ms=%2 prefetch=%3").arg(kind).arg(dwell).arg(QLatin1String(prefetch)),
                                    {QStringLiteral("--next-image"), c.path, QString::number(dwell), QLatin1String(prefetch),
                                     QString::number(s_scale.nextImages)}, 2, figures)
                    && ok;
            }
            if (!ok)
                continue;
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
    benchWebCopy(driver, cases[0].path);
    benchMake(driver, cases[0].path);
    driver.lines(QStringLiteral("hostile file=scanbomb"),
                 {QStringLiteral("--hostile"), QStringLiteral("scanbomb"), bombPath, QStringLiteral("1")});
    driver.lines(QStringLiteral("hostile file=huge_progressive"),
                 {QStringLiteral("--hostile"), QStringLiteral("huge_progressive"), hugePath,
                  QString::number(s_scale.hugeCopies)});
    driver.lines(QStringLiteral("batch_memory images=%1").arg(s_scale.batchImages),
                 {QStringLiteral("--batch-memory"), cases[0].path, QString::number(s_scale.batchImages)});
    driver.lines(QStringLiteral("edit_show slides=%1").arg(s_scale.editedSlides),
                 {QStringLiteral("--edit-show"), cases[0].path, QString::number(s_scale.editedSlides)});
    return driver.exitCode();
}
