// SPDX-License-Identifier: MIT
#pragma once

#include "modes/state.h"

/** A mode that keeps the coordinator and drops every command it is given. */
class IgnoringState : public State
{
public:
    void init(Mediator *md) override { this->md = md; }
    void Command1(QString &) override {}
    void Command2(QString &) override {}
    void Command3() override {}

private:
    Mediator *md = nullptr;
};
