// SPDX-License-Identifier: MIT
#pragma once

#include "commands/extensionlink.h"

/** Accepts GIF files by their extension "gif". */
class Chain3 : public ExtensionLink
{
public:
    Chain3() : ExtensionLink(QStringLiteral("gif")) {}
};
