// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

class Executable;

/**
 * A decorator around a worker. On its own it is the blank decorator: it holds
 * nothing and showing it does nothing.
 */
class AbstractDecorator
{
public:
    virtual ~AbstractDecorator() = default;
    virtual void init(std::shared_ptr<Executable>) {}
    virtual void initContents(std::shared_ptr<AbstractDecorator>) {}
    virtual std::shared_ptr<Executable> getobject() const { return nullptr; }
    virtual void ShowIt() {}
};
