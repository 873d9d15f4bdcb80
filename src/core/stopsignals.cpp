// SPDX-License-Identifier: MIT
#include "core/stopsignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
int pipeEnds[2] = {-1, -1};

void onSignal(int signal)
{
    const int saved = errno;
    const char number = char(signal);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &number, 1);
    errno = saved;
}
}

StopSignals::StopSignals(QObject *parent)
    : QObject(parent)
{
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // then the default handlers stay, and a stop ends the program at once
    m_notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopSignals::readPipe);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND; // the second Ctrl+C is not caught
    for (int signal : {SIGINT, SIGTERM})
        ::sigaction(signal, &action, nullptr);
}

StopSignals::~StopSignals()
{
    for (int signal : {SIGINT, SIGTERM})
        std::signal(signal, SIG_DFL);
    if (m_notifier)
        m_notifier->setEnabled(false);
    for (int &end : pipeEnds) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

void StopSignals::readPipe()
{
    char number = 0;
    while (::read(pipeEnds[0], &number, 1) == 1) {
        if (m_received != 0)
            continue;
        m_received = number;
        emit stopRequested(number);
    }
}
