// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>

#include <cmath>

/** Window layouts are given in twips; the screen has 15 twips to a pixel. */
namespace Twips {

inline constexpr int PerPixel = 15;

inline int toPixels(int twips)
{
    return int(std::lround(double(twips) / PerPixel));
}

inline QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace Twips
