// SPDX-License-Identifier: MIT
#pragma once

/** Anything a Stack can hold. */
class WorkItem
{
public:
    virtual ~WorkItem() = default;
};
