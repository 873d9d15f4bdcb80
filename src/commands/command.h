// SPDX-License-Identifier: MIT
#pragma once

/** A command made fresh for each use and run once. */
class Command
{
public:
    virtual ~Command() = default;
    virtual void Execute() = 0;
};
