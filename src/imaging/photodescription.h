// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

/**
 * Reads the description a photo carries of its own (XMP dc:description, IPTC
 * Caption-Abstract or EXIF ImageDescription, as photo managers and phones
 * write them) to suggest it as the caption. Texts that cameras put there by
 * themselves ("OLYMPUS DIGITAL CAMERA", the camera's name) are not suggested.
 * Damaged or missing metadata gives empty text; nothing is thrown.
 */
class PhotoDescription
{
public:
    /** The suggested caption of the image file at path, or empty text. */
    static QString read(const QString &path);
    /** The same for an image held in memory. */
    static QString read(const QByteArray &bytes);

    /** One line of text: line breaks and other control characters become blanks, runs of blanks one. */
    static QString cleaned(const QString &text);
    /** True for a text that says nothing about the photo: blank, a camera's stock text or its name. */
    static bool isJunk(const QString &text, const QString &make = QString(), const QString &model = QString());
};
