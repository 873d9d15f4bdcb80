// SPDX-License-Identifier: MIT
#include "ui/windowplace.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

QRect WindowPlace::onScreen(const QRect &saved)
{
    QScreen *screen = QGuiApplication::screenAt(saved.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return saved;
    const QRect room = screen->availableGeometry();
    QRect place(saved.topLeft(), saved.size().boundedTo(room.size()));
    place.moveLeft(std::clamp(place.left(), room.left(), room.right() + 1 - place.width()));
    place.moveTop(std::clamp(place.top(), room.top(), room.bottom() + 1 - place.height()));
    return place;
}
