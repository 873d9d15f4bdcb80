// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

/**
 * Copies an image safely: into a temporary file beside the destination that
 * replaces it, or a symbolic link standing there, only once complete and of
 * the full size; not at all when both paths name the same file. Throws
 * DocumentError with the operating system's reason.
 */
class ImageCopy
{
public:
    static void copy(const QString &source, const QString &destination);
    static bool sameFile(const QString &a, const QString &b);
};
