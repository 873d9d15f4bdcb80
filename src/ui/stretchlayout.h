// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

/**
 * Lets a window built at fixed positions be resized: at the designed size
 * every control stands exactly where it was placed, and as the window grows
 * or shrinks each control moves or stretches by the window's change in the
 * directions it follows.
 */
class StretchLayout
{
public:
    enum Follow {
        Stays = 0,
        Widens = 1,        // right edge follows the window's width
        Heightens = 2,     // bottom edge follows the window's height
        MovesRight = 4,    // keeps its distance to the right edge
        MovesDown = 8,     // keeps its distance to the bottom edge
        ShortensOnly = 16, // bottom edge follows the height only where the window is shorter than designed
    };

    /** Records control's present geometry as its designed one. */
    void add(QWidget *control, int follow);
    /** Places every control for a window change of grown (negative where smaller than designed). */
    void apply(QSize grown) const;

private:
    struct Item {
        QWidget *control;
        QRect designed;
        int follow;
    };
    std::vector<Item> m_items;
};
