// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <memory>

/** The verdict of the last message sent through a file-type chain. */
extern bool fileTypeAccepted;

/**
 * One link of the file-type chain. A message (a file extension) enters at the
 * first link; each link accepts it or hands it on; the verdict is left in
 * fileTypeAccepted, not returned.
 */
class Chain
{
public:
    virtual ~Chain() = default;
    virtual void addChain(std::shared_ptr<Chain> c) = 0;
    /** May replace mesg with its lower-case form. Always returns false. */
    virtual bool sendToChain(QString &mesg) = 0;
    virtual std::shared_ptr<Chain> getChain() const = 0;
    virtual bool hasChain() const = 0;

    /** A new chain Chain1 -> Chain2 -> Chain3 -> NoCmd; returns its first link. */
    static std::shared_ptr<Chain> makeFileTypeChain();
    /** Sends ext through a fresh file-type chain; true when a link accepted it. */
    static bool acceptsExtension(QString ext);
};
