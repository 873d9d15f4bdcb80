// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <memory>

/**
 * One link of the file-type chain. A message (a file extension) enters at the
 * first link; each link accepts it or hands it on, and the verdict comes back
 * up the chain as the return value, so several threads may ask at once.
 */
class Chain
{
public:
    virtual ~Chain() = default;
    virtual void addChain(std::shared_ptr<Chain> c) = 0;
    /** May replace mesg with its lower-case form. True when this link or one after it accepted it. */
    virtual bool sendToChain(QString &mesg) = 0;
    virtual std::shared_ptr<Chain> getChain() const = 0;
    virtual bool hasChain() const = 0;

    /** A new chain Chain1 -> Chain2 -> Chain3 -> NoCmd; returns its first link. */
    static std::shared_ptr<Chain> makeFileTypeChain();
    /** Sends ext through a fresh file-type chain; true when a link accepted it. */
    static bool acceptsExtension(QString ext);
};
