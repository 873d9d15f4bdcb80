// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QStringList>

/** The fonts the windows were laid out for, with metric-compatible stand-ins. */
namespace Fonts {

/** The small dialog font that the window layouts assume. */
inline QFont dialog()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

/** Arial 9.75 pt, for the few controls that ask for it. */
inline QFont arial()
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9.75);
    return font;
}

} // namespace Fonts
