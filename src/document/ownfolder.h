// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

/**
 * A folder inside the target that this program writes into, such as the
 * thumbnails' folder. Whatever stands in its place is looked at itself, never
 * followed: a symbolic link, a file, a FIFO or a device there is refused, so
 * nothing is written through it to a place outside the target. A missing
 * folder is made.
 */
class OwnFolder
{
public:
    /** Makes sure path is a real folder, making it when nothing is there; false with errorString() naming it. */
    bool ensure(const QString &path);
    QString errorString() const { return m_error; }

private:
    QString m_error;
};
