// SPDX-License-Identifier: MIT
#pragma once

#include "commands/workitem.h"

/** The placeholder a Stack hands out when there is nothing below its top. */
class DummyObject : public WorkItem
{
};
