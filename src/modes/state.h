// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class Mediator;

/** A mode of the program: gives the three generic commands their meaning. */
class State
{
public:
    virtual ~State() = default;
    virtual void init(Mediator *md) = 0;
    virtual void Command1(QString &str) = 0;
    virtual void Command2(QString &str) = 0;
    virtual void Command3() = 0;
};
