// SPDX-License-Identifier: MIT
#pragma once

#include "commands/chain.h"

/** A link that accepts one file extension, in any letter case, and hands on the rest. */
class ExtensionLink : public Chain
{
public:
    explicit ExtensionLink(QString extension) : m_extension(std::move(extension)) {}

    void addChain(std::shared_ptr<Chain> c) override;
    bool sendToChain(QString &mesg) override;
    std::shared_ptr<Chain> getChain() const override { return nextChain; }
    bool hasChain() const override { return hasNextChain; }

private:
    QString m_extension;
    std::shared_ptr<Chain> nextChain;
    bool hasNextChain = false;
};
