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
        fileTypeAccepted = true;
    else if (nextChain)
        nextChain->sendToChain(mesg);
    else
        fileTypeAccepted = false; // nobody further down could accept it
    return false;
}
