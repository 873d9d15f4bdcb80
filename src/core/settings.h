// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QString>

/**
 * The choices the program keeps from one run to the next: the last source and
 * target folders, the web-sized choice and where the main window was. They
 * live in the program's own settings file in the user's configuration folder
 * (~/.config/Fotoweave/Fotoweave.conf on Linux). A missing, unreadable or
 * damaged file, or a value of the wrong kind, gives the defaults: a first start.
 */
class Settings
{
public:
    QString sourceFolder;
    QString targetFolder;
    bool webSized = false;
    /** The main window's geometry when not maximised; invalid when none was kept. */
    QRect windowGeometry;
    bool maximised = false;

    /** Reads the settings file; what cannot be read is left at its default. */
    static Settings read();
    /** Writes every choice to the settings file; false when it could not be written. */
    bool write() const;
    /** Where the settings file is. */
    static QString filePath();
};
