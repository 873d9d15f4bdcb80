// SPDX-License-Identifier: MIT
#pragma once

#include "commands/chain.h"

/** The end of a file-type chain: rejects whatever reaches it. */
class NoCmd : public Chain
{
public:
    void addChain(std::shared_ptr<Chain>) override {}
    bool sendToChain(QString &) override { return false; }
    std::shared_ptr<Chain> getChain() const override { return nullptr; }
    bool hasChain() const override { return false; }
};
