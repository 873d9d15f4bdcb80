// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/executable.h"
#include "imaging/previewloader.h"

#include <QString>

#include <optional>

/**
 * The preview worker: records its image as the current source file, empties
 * the caption box and starts loading the image off the window's thread; when
 * it arrives it is fitted into the 3500 x 3500 twip square and painted
 * centred into the main window's preview box. PreviewStatus tells when.
 */
class DecObj : public Executable
{
public:
    void init(const QString &str) { imagePath = str; }
    /** Returns as soon as the decode has started. */
    void Execute() override;

private:
    static void paint(const std::optional<PreviewLoader::Picture> &picture);

    QString imagePath;
};
