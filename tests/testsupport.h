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

class Form1;
class Form2;

/**
 * The program started for one test: a scripted platform, a program folder with
 * the small templates below, and the main window shown. Destroying it leaves no
 * window, document or counter behind. Batches are driven through the real widgets.
 */
class TestProgram
{
public:
    /** The templates every test program starts with, so expected pages can be written out in full. */
    static constexpr char Head[] = "<head>", Middle[] = "<middle>", End[] = "<end>";

    TestProgram();
    ~TestProgram();

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
    /** The main window. */
    Form2 *form() const;
    /** The Images window (the batch dialog). */
    Form1 *dialog() const;

    /** Replaces a template beside the program; a null text removes it. */
    void setTemplate(const char *name, const QByteArray &text);
    /** Opens the Images window and picks source (and target, unless empty) through the folder browser. */
    void chooseFolders(const QString &source, const QString &target = QString());
    /** Presses Start in the Images window. */
    void start();
    /** chooseFolders(source(), target()) then start(). */
    void startBatch();
    /** Types caption into the caption box and presses "Add to SlideShow". */
    void add(const QString &caption = QString());
    /** Presses "Skip". */
    void skip();
    /** The file name of the image on show. */
    QString shown() const;
    /** The colour at the centre of the preview box. */
    QRgb centre() const;

private:
    QTemporaryDir m_programDir, m_source, m_target;
    ScriptedPlatform *m_platform = nullptr;
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
