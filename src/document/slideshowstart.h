// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class SlideShow;

/**
 * What "Start" settles before anything is written: the templates can be read,
 * no other batch writes to the target, and the user has said whether a slide
 * show already there is continued or replaced. Nothing on disk changes here.
 */
class SlideShowStart
{
public:
    /**
     * True when the batch may start, with its plan left with show, whose
     * next page it is; false after a message or a cancelled question.
     */
    static bool prepare(const QString &folder, SlideShow &show);
};
