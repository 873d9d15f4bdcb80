// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>

/**
 * Where a window kept from an earlier run opens now: on the screen it was on,
 * or, when that screen is gone, on the primary screen; never larger than the
 * room there and never partly off it.
 */
class WindowPlace
{
public:
    static QRect onScreen(const QRect &saved);
};
