// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/abstractdecorator.h"

/** Runs the worker it decorates when it is shown. */
class Decorator : public AbstractDecorator
{
public:
    void init(std::shared_ptr<Executable> o) override { decoratedObject = std::move(o); }
    void initContents(std::shared_ptr<AbstractDecorator> d) override { contents = std::move(d); }
    std::shared_ptr<Executable> getobject() const override { return decoratedObject; }
    /** Runs the worker's Execute; fails when no worker is held. */
    void ShowIt() override;

private:
    std::shared_ptr<AbstractDecorator> contents;
    std::shared_ptr<Executable> decoratedObject;
};
