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
 * Creates SlideShow.htm in the target folder: the head template, or the head
 * and entries of the slide show that "Start" chose to continue. The templates
 * are read first, and the page is written beside the old one and renamed over
 * it, so a failure leaves the old page as it was. A document still open in
 * another folder is completed first, one in this folder closed. Throws DocumentError.
 */
void CreateSlideShow(const Mediator &md);
/** Writes the middle template, the picture and caption rows and the end template, then closes the document. */
void CompleteSlideShow();
/** The path of the document of the current or last batch; empty before the first. */
QString SlideShowPath();
/** The folder that document is in: the batch's copies go there. */
QString SlideShowFolder();
/** True when that document was completed and is still where it was written. */
bool SlideShowReady();
/** Closes the open document, if any, keeping everything written so far. Never throws. */
void CloseSlideShow();
/**
 * Ends a batch stopped before its last image: the open document, if any, is
 * completed so that the page plays with the slides it holds, or says it has
 * none. Throws DocumentError, and the document is closed all the same.
 */
void StopSlideShow();
/** The content of a template beside the program. Throws DocumentError. */
QByteArray ReadTemplate(const QString &name);
