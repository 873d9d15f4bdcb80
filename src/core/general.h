// SPDX-License-Identifier: MIT
#pragma once

#include "core/mediator.h"

#include <functional>
#include <memory>

/** The one coordinator of the run, created at start-up. */
extern std::unique_ptr<Mediator> objMediator;

/** Start-up and the program's default handling of failures. */
namespace General {

/** Creates the coordinator and initialises it; the windows then attach to it. */
void Main();

/**
 * Runs a window event handler. A failure that the handler does not catch is
 * shown in a message box; then the open document is closed and the program ends.
 */
void runHandler(const std::function<void()> &handler);

} // namespace General
