// SPDX-License-Identifier: MIT
#pragma once

#include "modes/state.h"

/** Single-image mode. No window makes it current, so its commands do nothing. */
class State1 : public State
{
public:
    void init(Mediator *md) override { this->md = md; }
    void Command1(QString &) override {}
    void Command2(QString &) override {}
    void Command3() override {}

    Mediator *mediator() const { return md; }

private:
    Mediator *md = nullptr;
};
