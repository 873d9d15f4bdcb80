// SPDX-License-Identifier: MIT
#include "testsupport.h"

#include "core/general.h"
#include "imaging/folderlisting.h"
#include "imaging/prefetcher.h"
#include "modes/state2.h"
#include "modes/statemanager.h"

#include <QtGui>
#include <QtTest>

TestProgram::TestProgram(const QString &configFolder)
{
    QVERIFY2(m_programDir.isValid() && m_source.isValid() && m_target.isValid() && m_config.isValid(), "no temporary folders");
    // Never the settings of the user running the tests.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configFolder.isEmpty() ? m_config.path() : configFolder));
    setTemplate("Head.txt", Head);
    setTemplate("Middle.txt", Middle);
    setTemplate("End.txt", End);
    auto platform = std::make_unique<ScriptedPlatform>(m_programDir.path());
    m_platform = platform.get();
    Platform::install(std::move(platform));
    General::Main();

    // What the windows would show, as they would show it.
    Mediator *md = objMediator.get();
    QObject::connect(md, &Mediator::listingCleared, [this] { m_listed.clear(); });
    QObject::connect(md, &Mediator::listingReady, [this](const QStringList &names) { m_listed = names; });
    QObject::connect(md, &Mediator::listingTrimmed, [this](const QSet<QString> &names) {
        m_listed.removeIf([&](const QString &name) { return names.contains(name); });
    });
    QObject::connect(md, &Mediator::statusChanged, [this](const QString &text) { m_status = text; });
    QObject::connect(md, &Mediator::imageLoading, [this] { m_caption.clear(); });
    QObject::connect(md, &Mediator::imageShown, [this](const QString &path, const PreviewLoader::Picture &, QSize pixels) {
        m_painted = QFileInfo(path).fileName();
        m_paintedSize = pixels;
    });
    QObject::connect(md, &Mediator::imageFailed, [this] { m_painted.clear(); });
    QObject::connect(md, &Mediator::pictureCleared, [this] { m_painted.clear(); });
    QObject::connect(md, &Mediator::captionSuggested, [this](const QString &text) { m_caption = text; });
    QObject::connect(md, &Mediator::captionRestored, [this](const QString &text) { m_caption = text; });
}

TestProgram::~TestProgram()
{
    FolderListing::shared().drop();
    Prefetcher::shared().finish(); // nothing may report to the coordinator once it is gone
    objMediator.reset(); // and with it the slide show, its stream, counter and lock
    Platform::install(nullptr);
}

bool waitForPreview(int timeoutMs)
{
    // A continued batch may still compare photos with the show's copies after the listing.
    const auto comparing = [] {
        return objMediator && static_cast<State2 *>(objMediator->stateManager()->two())->isScanning();
    };
    return QTest::qWaitFor([&] { return !FolderListing::shared().isBusy() && !comparing()
                                        && !(objMediator && objMediator->isLoading()); },
                           timeoutMs);
}

void TestProgram::run(const std::function<void()> &step) { General::runHandler(step); }

void TestProgram::runAndWait(const std::function<void()> &step)
{
    run(step);
    QVERIFY(waitForPreview());
}

void TestProgram::setTemplate(const char *name, const QByteArray &text)
{
    const QString path = m_programDir.filePath(QLatin1String(name));
    QFile::remove(path);
    if (!text.isNull())
        writeFile(path, text);
}

void TestProgram::chooseFolders(const QString &source, const QString &target)
{
    m_platform->folderAnswers.enqueue(source);
    run([] { objMediator->SourceFolder(); });
    QVERIFY(waitForPreview());
    if (!target.isEmpty()) {
        m_platform->folderAnswers.enqueue(target);
        run([] { objMediator->TargetFolder(); });
    }
}

void TestProgram::start()
{
    m_started = false;
    runAndWait([this] { m_started = objMediator->startBatch(m_webSized, m_offerSkippedAgain); });
}

void TestProgram::startBatch()
{
    chooseFolders(source(), target());
    start();
}

void TestProgram::add(const QString &caption)
{
    m_caption = caption; // typed into the caption box
    runAndWait([&caption] { objMediator->add(caption); });
}

void TestProgram::skip() { runAndWait([] { objMediator->skip(); }); }
void TestProgram::back() { runAndWait([] { objMediator->Back(); }); }
void TestProgram::close() { run([] { objMediator->close(); }); }

bool TestProgram::canAdd() const { return objMediator->buttons().addEnabled; }

QByteArray TestProgram::page() const { return readFile(pagePath()); }

QString TestProgram::shown() const { return QFileInfo(objMediator->GetSourceFile()).fileName(); }

QByteArray entry(int n, const QByteArray &file, const QByteArray &caption)
{
    return "\r\n\r\nPicture[" + QByteArray::number(n) + "]  = '" + file + "'; \r\nCaption[" + QByteArray::number(n)
        + "] = '" + caption + "' ;\r\n";
}

QByteArray pageEnd(const QByteArray &firstPicture, const QByteArray &name)
{
    return "<middle>\r\n\r\n<TD WIDTH='350' HEIGHT='280' COLSPAN='3'> <IMG SRC='" + firstPicture
        + "' NAME='PictureBox' WIDTH='350' HEIGHT='280'> </TD> </TR><TR>\r\n<TD ID='CaptionBox' CLASS='Caption' "
          "ALIGN='center' COLSPAN='3'> " + name + " </TD></TR>\r\n\r\n\r\n<end>\r\n\r\n";
}

/** Empty when the pixels just inside rect's corners and edges (box pixels) have colour and those just outside are white. */
QString paintedAt(const QImage &drawing, const QRectF &rect, QColor colour)
{
    const QRectF box(QPointF(0, 0), drawing.deviceIndependentSize()), in = rect.adjusted(2, 2, -2, -2);
    for (const QRectF &r : {in, rect.adjusted(-2, -2, 2, 2)})
        for (const QPointF &at : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight(), QPointF(r.left(), r.center().y()),
                                  QPointF(r.right(), r.center().y()), QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom())}) {
            const QColor got = drawing.pixelColor(int(at.x()), int(at.y())), want = r == in ? colour : QColor(Qt::white);
            if (box.contains(at) && std::abs(got.red() - want.red()) + std::abs(got.blue() - want.blue()) > 40)
                return QStringLiteral("wrong at %1, %2").arg(at.x()).arg(at.y());
        }
    return QString();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QString fixture(const QString &name) { return QStringLiteral(FOTOWEAVE_TEST_DATA "/") + name; }

void writeImage(const QString &path, QSize size, QColor color)
{
    if (path.endsWith(QLatin1String(".gif"), Qt::CaseInsensitive)) {
        writeFile(path, readFile(fixture(QStringLiteral("photo.gif"))));
        return;
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QImageWriter writer(path, QFileInfo(path).suffix().toLower().toLatin1());
    writer.setQuality(95);
    QVERIFY2(writer.write(image), qPrintable(path + QStringLiteral(": ") + writer.errorString()));
}
