// SPDX-License-Identifier: MIT
#pragma once

#include "commands/command.h"

#include <memory>

class Mediator;

/** Starts a slide show: creating it makes the document, running it starts the mode's work. */
class cmd1 : public Command, public std::enable_shared_from_this<cmd1>
{
public:
    /** Creates SlideShow.htm with its head, then registers with the coordinator. */
    void init(Mediator *md);

private:
    void Execute() override;

    Mediator *md = nullptr;
};
