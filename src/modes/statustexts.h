// SPDX-License-Identifier: MIT
#pragma once

#include <QSize>
#include <QString>

/** The texts that tell the user where they are in a batch and what the image on show is. */
namespace StatusTexts {

/**
 * "3 of 13 · Café.jpg · 2 added"; a continued show (inShow not negative) also
 * counts its slides: "12 of 23 · Café.jpg · 3 added, 13 in the show".
 */
QString position(int number, int count, const QString &fileName, int added, int inShow = -1);
/** "7 of 13 added to /photos/SlideShow.htm", for a continued show with "; the show holds 21 slides". */
QString summary(int added, int count, const QString &page, int inShow = -1);
/** "Finished: " followed by the summary. */
QString finished(int added, int count, const QString &page, int inShow = -1);
/** "4000 × 3000 px, 3.2 MB" */
QString imageSize(QSize pixels, qint64 bytes);
/** "My Slide Show – Fotoweave"; the program's name alone for an empty name. */
QString windowTitle(const QString &showName);

} // namespace StatusTexts
