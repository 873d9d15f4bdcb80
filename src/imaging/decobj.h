// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/executable.h"

#include <QString>

/**
 * The preview worker: records its image as the current source file, loads it,
 * fits it into the 3500 x 3500 twip square and paints it centred into the
 * main window's preview box.
 */
class DecObj : public Executable
{
public:
    void init(const QString &str) { imagePath = str; }
    void Execute() override;

private:
    QString imagePath;
};
