// SPDX-License-Identifier: MIT
#pragma once

#include <QPushButton>

/** A push button whose caption wraps onto a second line when it is wider than the button. */
class CommandButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};
