// SPDX-License-Identifier: MIT
#pragma once

#include "platform/scriptedplatform.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <functional>

/**
 * The program started for one test, with no window: a scripted platform, a
 * program folder with the small templates below, and the coordinator. The
 * user's steps go to the coordinator as the windows would send them, and what
 * the windows would show is recorded from its signals. Destroying it leaves no
 * document, counter or coordinator behind. WindowProgram drives the same steps
 * through the real windows.
 */
class TestProgram
{
public:
    /** The templates every test program starts with, so expected pages can be written out in full. */
    static constexpr char Head[] = "<head>", Middle[] = "<middle>", End[] = "<end>";

    /** Keeps its settings in configFolder; in a folder of its own, which starts empty, when none is given. */
    explicit TestProgram(const QString &configFolder = QString());
    virtual ~TestProgram();
    TestProgram(const TestProgram &) = delete;
    TestProgram &operator=(const TestProgram &) = delete;

    /** The scripted platform: queue folder answers, read what was opened or ended. */
    ScriptedPlatform &platform() { return *m_platform; }
    /** What the program has shown in message boxes so far. */
    const QStringList &messages() const { return m_platform->messages; }
    /** The folder the program finds its templates and user guide in. */
    QString programFolder() const { return m_programDir.path(); }
    /** An empty folder for photos; with a name, that file's path in it. */
    QString source(const QString &name = QString()) const { return name.isEmpty() ? m_source.path() : m_source.filePath(name); }
    /** An empty folder to be the target; with a name, that file's path in it. */
    QString target(const QString &name = QString()) const { return name.isEmpty() ? m_target.path() : m_target.filePath(name); }
    /** The path and the bytes of SlideShow.htm in target(). */
    QString pagePath() const { return target(QStringLiteral("SlideShow.htm")); }
    QByteArray page() const;

    /** Replaces a template beside the program; a null text removes it. */
    void setTemplate(const char *name, const QByteArray &text);
    /** Picks source (and target, unless empty) through the folder browser, as the Images window does. */
    virtual void chooseFolders(const QString &source, const QString &target = QString());
    /** Ticks or clears the web-sized option for the next start(). */
    virtual void setWebSized(bool on) { m_webSized = on; }
    /** Ticks or clears "Offer skipped photos again" for the next start(). */
    virtual void setOfferSkippedAgain(bool on) { m_offerSkippedAgain = on; }
    /** Start in the Images window; started() tells whether the batch began. */
    virtual void start();
    /** chooseFolders(source(), target()) then start(). */
    void startBatch();
    /** "Add to SlideShow" with caption. */
    virtual void add(const QString &caption = QString());
    /** "Skip". */
    virtual void skip();
    /** "Back". */
    virtual void back();
    /** File > Close. */
    virtual void close();

    /** The file name of the image on show. */
    QString shown() const;
    /** True when the last start() began a batch (the Images window closed). */
    bool started() const { return m_started; }
    /** What the Images window lists. */
    const QStringList &listed() const { return m_listed; }
    /** The status bar's text. */
    const QString &status() const { return m_status; }
    /** What the caption box holds: emptied for each image, a suggestion or a caption restored by Back. */
    const QString &caption() const { return m_caption; }
    /** True when "Add to SlideShow" can be pressed. */
    bool canAdd() const;
    /** The file name of the photo the preview shows; empty when it shows none. */
    const QString &painted() const { return m_painted; }
    /** Its size as the size label gives it: upright, in pixels. */
    QSize paintedSize() const { return m_paintedSize; }

protected:
    /** Runs a step as a window's handler does: an uncaught failure is shown and ends the program. */
    static void run(const std::function<void()> &step);
    /** run(), then waits for the preview it leads to. */
    static void runAndWait(const std::function<void()> &step);
    bool m_started = false;
    bool m_webSized = false;
    bool m_offerSkippedAgain = false;

private:
    QTemporaryDir m_programDir, m_source, m_target, m_config;
    ScriptedPlatform *m_platform = nullptr;
    QStringList m_listed;
    QString m_status, m_caption, m_painted;
    QSize m_paintedSize;
};

/**
 * Waits until the folder listing and the preview on their way (both run off
 * the window's thread) have arrived and the window has dealt with them. The
 * helpers above wait by themselves; a test that presses buttons directly calls this.
 */
bool waitForPreview(int timeoutMs = 20000);

/** One slide's entry as the page holds it, caption as written there. */
QByteArray entry(int n, const QByteArray &file, const QByteArray &caption);
/** What a page holds after its entries, with the templates above: first picture and name as written there. */
QByteArray pageEnd(const QByteArray &firstPicture, const QByteArray &name);
/** Empty when the pixels just inside rect's corners and edges (box pixels) have colour and those just outside are white; else where not. */
QString paintedAt(const QImage &drawing, const QRectF &rect, QColor colour);
/** A file's bytes; empty when it cannot be read. */
QByteArray readFile(const QString &path);
/** Writes bytes to a file, failing the test when it cannot. */
void writeFile(const QString &path, const QByteArray &bytes);
/** A file of tests/data. */
QString fixture(const QString &name);
/** Writes a one-colour JPEG, BMP or PNG by the path's extension; a .gif gets the fixture photo.gif (90 x 60, 200/30/60). */
void writeImage(const QString &path, QSize size = QSize(20, 20), QColor color = QColor(200, 30, 60));
