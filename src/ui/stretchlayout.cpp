// SPDX-License-Identifier: MIT
#include "ui/stretchlayout.h"

#include <algorithm>

void StretchLayout::add(QWidget *control, int follow)
{
    m_items.push_back({control, control->geometry(), follow});
}

void StretchLayout::apply(QSize grown) const
{
    const int dx = grown.width();
    const int dy = grown.height();
    for (const Item &item : m_items) {
        QRect place = item.designed;
        if (item.follow & MovesRight)
            place.translate(dx, 0);
        if (item.follow & MovesDown)
            place.translate(0, dy);
        if (item.follow & Widens)
            place.setWidth(std::max(1, place.width() + dx));
        if (item.follow & Heightens)
            place.setHeight(std::max(1, place.height() + dy));
        if (item.follow & ShortensOnly)
            place.setHeight(std::max(1, place.height() + std::min(0, dy)));
        item.control->setGeometry(place);
    }
}
