// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/executable.h"

#include <QString>

/**
 * The slide entry writer: copies one image into the target folder and appends
 * its Picture and Caption lines, with the caption box's text, to the open
 * slide show. Throws DocumentError and then leaves the counter, the first
 * picture and the document as they were.
 */
class DecObj2 : public Executable
{
public:
    void init(const QString &str) { imagePath = str; }
    void Execute() override;

private:
    QString imagePath;
};
