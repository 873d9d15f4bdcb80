// SPDX-License-Identifier: MIT
#pragma once

#include "modes/ignoringstate.h"

/** A second single-image mode. No window makes it current, so its commands do nothing. */
class State4 : public IgnoringState
{
};
