// SPDX-License-Identifier: MIT
#include "document/slideshowtemplates.h"

#include "document/slideshow.h"

SlideShowTemplates SlideShowTemplates::read()
{
    SlideShowTemplates templates;
    templates.head = ReadTemplate(QStringLiteral("Head.txt"));
    templates.middle = ReadTemplate(QStringLiteral("Middle.txt"));
    templates.end = ReadTemplate(QStringLiteral("End.txt"));
    return templates;
}
