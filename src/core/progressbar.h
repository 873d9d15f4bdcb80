// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QString>

/**
 * Shows on stderr how far a run is: how many photos of how many, photos per
 * second and the time left. On a terminal one bar is redrawn in place; into
 * a file or a pipe it writes plain lines, at most about one a second. Quiet,
 * it shows nothing. Messages go to stderr past the bar.
 */
class ProgressBar
{
public:
    ProgressBar(int total, bool quiet);

    /** done photos of the total have been dealt with. */
    void show(int done);
    /** A line of its own, such as a photo that could not be added; never suppressed. */
    void message(const QString &text);
    /** Leaves the bar as it stands, so what follows starts on a new line. */
    void finish();

private:
    QString line(int done) const;
    void clear();

    int m_total;
    bool m_quiet;
    bool m_terminal;
    bool m_drawn = false;
    int m_done = 0;
    qint64 m_lastPlain = -1;
    QElapsedTimer m_clock;
};
