// SPDX-License-Identifier: MIT
#pragma once

/** A worker that is told its job first and then run without arguments. */
class Executable
{
public:
    virtual ~Executable() = default;
    virtual void Execute() = 0;
};
