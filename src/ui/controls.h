// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

/** Building windows in code: a named control at its place. */
namespace Controls {

template<class Control>
Control *place(QWidget *parent, const char *name, QRect geometry)
{
    auto *control = new Control(parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}

template<class Control>
Control *place(QWidget *parent, const char *name, QRect geometry, const QString &text)
{
    auto *control = place<Control>(parent, name, geometry);
    control->setText(text);
    return control;
}

} // namespace Controls
