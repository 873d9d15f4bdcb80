// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>

/**
 * The program's second front door: `fotoweave make`, `--help` and
 * `--version` run here, with no window and no display. Anything else on the
 * command line is the window program's (Qt's own options among it).
 */
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    /** True when the arguments ask for the command line rather than the window. */
    static bool isFor(int argc, char *argv[]);
    /** Runs what the arguments ask for and returns the exit status. */
    static int run(int argc, char *argv[]);
};
