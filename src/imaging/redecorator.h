// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/abstractdecorator.h"

/** Wraps another decorator and takes over the worker that one holds. */
class ReDecorator : public AbstractDecorator
{
public:
    void init(std::shared_ptr<Executable> o) override { decoratedObject = std::move(o); }
    /** Keeps d and makes d's worker its own. */
    void initContents(std::shared_ptr<AbstractDecorator> d) override;
    std::shared_ptr<Executable> getobject() const override { return decoratedObject; }
    void ShowIt() override;

private:
    std::shared_ptr<AbstractDecorator> contents;
    std::shared_ptr<Executable> decoratedObject;
};
