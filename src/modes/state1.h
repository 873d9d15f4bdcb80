// SPDX-License-Identifier: MIT
#pragma once

#include "modes/ignoringstate.h"

/** Single-image mode. No window makes it current, so its commands do nothing. */
class State1 : public IgnoringState
{
};
