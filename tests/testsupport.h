// SPDX-License-Identifier: MIT
#pragma once

#include "platform/scriptedplatform.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class Form1;
class Form2;

/**
 * A started program for one test: the scripted platform, a program folder
 * holding the shipped templates, and the coordinator after start-up. Tearing
 * it down leaves no window, document or counter behind for the next test.
 */
class TestProgram
{
public:
    explicit TestProgram(bool showMainWindow = false);
    ~TestProgram();

    ScriptedPlatform &platform() { return *m_platform; }
    QString programFolder() const { return m_programDir.path(); }
    Form2 *form() const;
    Form1 *dialog() const;

    /** Replaces a template beside the program; a null text removes it. */
    void setTemplate(const QString &name, const QByteArray &text);
    static QByteArray shippedTemplate(const QString &name);
    /** What a new document holds: the shipped head and its line end. */
    static QByteArray shippedHead();

private:
    QTemporaryDir m_programDir;
    ScriptedPlatform *m_platform = nullptr;
};

/** The two lines of one slide entry, with the blank lines before them. */
QByteArray slideEntry(int n, const QByteArray &file, const QByteArray &caption);
QByteArray readFile(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);
/** Writes an image of one colour; format "jpg", "bmp", "gif" or "png". */
void writeImage(const QString &path, QSize size, QColor color = Qt::red, const char *format = nullptr);
/** Writes a GIF of up to four colours (Qt reads GIF but cannot write it). */
void writeGif(const QString &path, const QImage &image);
/** Writes a JPEG whose EXIF orientation says it must be turned a quarter to stand upright. */
void writeRotatedJpeg(const QString &path, QSize stored, int orientation);
