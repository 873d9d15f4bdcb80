// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

/** What `fotoweave make` was asked to do, as read from its command line. */
struct MakeOptions {
    enum class Captions { Metadata, File, None };
    /** What to do with a slide show already in the target. */
    enum class Existing { Refuse, Continue, Replace };

    QString source;
    QString target; // the source when not given
    QString name = QStringLiteral("My Slide Show");
    bool nameGiven = false; // else a continued show keeps its own name
    Captions captions = Captions::Metadata;
    QString captionFile;
    bool onlyCaptioned = false;
    bool webSized = false;
    Existing existing = Existing::Refuse;
    bool dryRun = false;
    bool quiet = false;
};
