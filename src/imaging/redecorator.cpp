// SPDX-License-Identifier: MIT
#include "imaging/redecorator.h"

#include "imaging/executable.h"

#include <stdexcept>

void ReDecorator::initContents(std::shared_ptr<AbstractDecorator> d)
{
    contents = std::move(d);
    decoratedObject = contents ? contents->getobject() : nullptr;
}

void ReDecorator::ShowIt()
{
    if (!decoratedObject)
        throw std::runtime_error("The decorator has no object to show.");
    decoratedObject->Execute();
}
