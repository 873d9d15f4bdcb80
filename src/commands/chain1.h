// SPDX-License-Identifier: MIT
#pragma once

#include "commands/extensionlink.h"

/** Accepts JPEG files by their extension "jpg". */
class Chain1 : public ExtensionLink
{
public:
    Chain1() : ExtensionLink(QStringLiteral("jpg")) {}
};
