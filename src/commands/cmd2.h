// SPDX-License-Identifier: MIT
#pragma once

#include "commands/command.h"

#include <memory>

class Mediator;

/** Moves on: issues the second generic command to the current mode. */
class Cmd2 : public Command, public std::enable_shared_from_this<Cmd2>
{
public:
    void init(Mediator *md);

private:
    void Execute() override;

    Mediator *md = nullptr;
};
