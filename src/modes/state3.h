// SPDX-License-Identifier: MIT
#pragma once

#include "modes/state.h"

/** The idle mode: every command is dropped until a batch is started. */
class State3 : public State
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
