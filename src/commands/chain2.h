// SPDX-License-Identifier: MIT
#pragma once

#include "commands/extensionlink.h"

/** Accepts BMP files by their extension "bmp". */
class Chain2 : public ExtensionLink
{
public:
    Chain2() : ExtensionLink(QStringLiteral("bmp")) {}
};
