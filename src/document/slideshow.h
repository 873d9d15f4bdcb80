// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

class Mediator;
class TextStream;

/** The open slide show document of this run; empty until the first is created. */
extern std::unique_ptr<TextStream> tsSlideShow;
/** The slide number of the last entry written; reset when a batch starts or work is closed. */
extern qint32 lngSlideCount;
/** The file name of the image whose entry took number 1 in the current document. */
extern QString strFirstPicture;

/** The file name of the slide show document in the target folder. */
inline constexpr char SlideShowFileName[] = "SlideShow.htm";

/**
 * Creates SlideShow.htm in the target folder and writes the head template into
 * it. A document still open is closed first, and the first picture is
 * forgotten. Throws DocumentError.
 */
void CreateSlideShow(const Mediator &md);
/** Writes the middle template, the picture and caption rows and the end template, then closes the document. */
void CompleteSlideShow();
/** Closes the open document, if any, keeping everything written so far. Never throws. */
void CloseSlideShow();
/** The content of a template beside the program. Throws DocumentError. */
QByteArray ReadTemplate(const QString &name);
