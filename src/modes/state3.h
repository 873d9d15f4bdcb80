// SPDX-License-Identifier: MIT
#pragma once

#include "modes/ignoringstate.h"

/** The idle mode: every command is dropped until a batch is started. */
class State3 : public IgnoringState
{
};
