// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>
#include <QRect>
#include <QString>
#include <QWidget>

#include <type_traits>

/** Building windows in code: a named control at its place. */
namespace Controls {

template<class Control>
Control *place(QWidget *parent, const char *name, QRect geometry)
{
    auto *control = new Control(parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    // Labels show names and messages from outside: never let Qt read them as markup.
    if constexpr (std::is_base_of_v<QLabel, Control>)
        control->setTextFormat(Qt::PlainText);
    return control;
}

template<class Control>
Control *place(QWidget *parent, const char *name, QRect geometry, const QString &text)
{
    auto *control = place<Control>(parent, name, geometry);
    control->setText(text);
    return control;
}

/**
 * A tooltip that shows text exactly as it is. Qt guesses whether a tooltip is
 * markup, so the text is escaped and given as markup that keeps its line breaks.
 */
inline QString plainToolTip(const QString &text)
{
    if (text.isEmpty())
        return text;
    return QStringLiteral("<p style='white-space:pre-wrap'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

} // namespace Controls
