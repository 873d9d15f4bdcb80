// SPDX-License-Identifier: MIT
#include "imaging/decorator.h"

#include "imaging/executable.h"

#include <stdexcept>

void Decorator::ShowIt()
{
    if (!decoratedObject)
        throw std::runtime_error("The decorator has no object to show.");
    decoratedObject->Execute();
}
