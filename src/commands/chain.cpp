// SPDX-License-Identifier: MIT
#include "commands/chain.h"

#include "commands/chain1.h"
#include "commands/chain2.h"
#include "commands/chain3.h"
#include "commands/nocmd.h"

std::shared_ptr<Chain> Chain::makeFileTypeChain()
{
    auto first = std::make_shared<Chain1>();
    auto second = std::make_shared<Chain2>();
    auto third = std::make_shared<Chain3>();
    first->addChain(second);
    second->addChain(third);
    third->addChain(std::make_shared<NoCmd>());
    return first;
}

bool Chain::acceptsExtension(QString ext)
{
    // The links lower-case the extension themselves.
    return makeFileTypeChain()->sendToChain(ext);
}
