// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

/**
 * Clears away the hidden temporary files a batch of this program left in a
 * target folder when it was killed: the page being rewritten, image copies
 * and web-sized copies on their way. Runs once the folder's lock is held, so
 * no batch of ours writes there, and takes only files of our own names, of
 * our own user, older than that lock: never a link, a folder or a user's file.
 */
class StaleTemporaries
{
public:
    /** Removes the stale temporaries in folder and its thumbnail folder; lockPath is the lock this batch holds there. */
    static void remove(const QString &folder, const QString &lockPath);
};
