// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

/**
 * The three page templates beside the program, read together when a slide
 * show starts: a missing one is found before the target is touched, and the
 * page is completed with the same text it was begun with.
 */
struct SlideShowTemplates {
    QByteArray head;
    QByteArray middle;
    QByteArray end;

    /** Reads Head.txt, Middle.txt and End.txt. Throws DocumentError. */
    static SlideShowTemplates read();
};
