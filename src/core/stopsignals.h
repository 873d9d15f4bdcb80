// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QSocketNotifier;

/**
 * Turns SIGINT and SIGTERM into a signal of the event loop, so that a run
 * stopped by Ctrl+C or kill can still complete its page. The handler only
 * writes the signal's number into a pipe; everything else happens on the
 * main thread. A second stop signal ends the program at once.
 */
class StopSignals : public QObject
{
    Q_OBJECT

public:
    explicit StopSignals(QObject *parent = nullptr);
    ~StopSignals() override;

    /** The signal that arrived first; 0 while none has. */
    int received() const { return m_received; }

signals:
    void stopRequested(int signal);

private:
    void readPipe();

    QSocketNotifier *m_notifier = nullptr;
    int m_received = 0;
};
