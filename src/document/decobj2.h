// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/executable.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

class SlideShow;

/**
 * The slide entry writer: copies one image into the slide show's folder and
 * appends its Picture and Caption lines, with the caption it is given, to the
 * show. Throws DocumentError and then leaves the counter, the first picture
 * and the page as they were, and no file of its own in the folder.
 */
class DecObj2 : public Executable
{
public:
    /** What one entry made: where it begins in the page and the files it created in the target. */
    struct Added {
        qint64 offset = 0;
        QStringList createdCopies;
    };

    void init(const QString &str, const QString &caption, SlideShow &show)
    {
        imagePath = str;
        m_caption = caption;
        m_show = &show;
    }
    void Execute() override;
    /** What the last Execute made. */
    const Added &added() const { return m_added; }

private:
    QString imagePath;
    QString m_caption;
    SlideShow *m_show = nullptr;
    Added m_added;
};
