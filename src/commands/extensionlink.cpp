// SPDX-License-Identifier: MIT
#include "commands/extensionlink.h"

void ExtensionLink::addChain(std::shared_ptr<Chain> c)
{
    nextChain = std::move(c);
    hasNextChain = true;
}

bool ExtensionLink::sendToChain(QString &mesg)
{
    mesg = mesg.toLower();
    if (mesg == m_extension)
        return true;
    return nextChain && nextChain->sendToChain(mesg); // nobody further down: rejected
}
