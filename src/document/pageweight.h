// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

class SlideShow;

/**
 * How much a page of original photos makes its reader fetch, and about how
 * much the same slides would take as web-sized photos: 0.35 bytes per pixel
 * of each photo's 2048-px size, or the photo's own size when that is smaller.
 */
class PageWeight
{
    Q_DECLARE_TR_FUNCTIONS(PageWeight)

public:
    /** The photos of show's page that are originals; web-sized slides count for nothing. */
    static PageWeight of(const SlideShow &show);

    /** "The page loads 54 MB of photos; with Web-sized photos it would be about 3 MB."; empty at 20 MB or less. */
    QString nudge() const;

    qint64 photos = 0;
    qint64 webSized = 0;
};
