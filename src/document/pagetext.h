// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

/**
 * The lines the program writes into the slide show page, with every text made
 * safe for the place it lands in. Text with nothing to escape comes out as it is.
 */
namespace PageText {

/** Escapes text for a single-quoted script string: backslash, quote, CR, LF and "<". */
QByteArray scriptString(const QString &text);
/** Escapes &, < and > for the page's markup. */
QByteArray markup(const QString &text);
/** A relative URL: every UTF-8 byte outside A-Z a-z 0-9 - . _ ~ percent-encoded. */
QByteArray url(const QString &fileName);
/** A path relative to the page (a photo in a folder beside it): each name as url() gives it, joined by slashes. */
QByteArray relativeUrl(const QString &path);

QByteArray pictureLine(qint32 n, const QString &fileName);
QByteArray captionLine(qint32 n, const QString &caption);
/** The line that names a slide's thumbnail, a path relative to the page. */
QByteArray thumbnailLine(qint32 n, const QString &path);
QByteArray pictureRow(const QString &firstPicture);
QByteArray captionRow(const QString &slideShowName);

/** Slide n's whole entry: two empty lines, its Picture and Caption lines and, with a thumbnail, its Thumbnail line. */
QByteArray entry(qint32 n, const QString &fileName, const QString &caption, const QString &thumbnail);
/** What follows the entries of a completed page: the middle template, the picture and caption rows, the end template. */
QByteArray closing(const QByteArray &middle, const QString &firstPicture, const QString &slideShowName,
                   const QByteArray &end);

} // namespace PageText
