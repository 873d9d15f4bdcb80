// SPDX-License-Identifier: MIT
#include "core/progressbar.h"

#include <cstdio>
#include <unistd.h>

#include <QCoreApplication>

namespace {
constexpr int BarWidth = 24;

void write(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

QString duration(qint64 seconds)
{
    return seconds >= 3600 ? QStringLiteral("%1:%2:%3").arg(seconds / 3600).arg(seconds / 60 % 60, 2, 10, QLatin1Char('0')).arg(seconds % 60, 2, 10, QLatin1Char('0'))
                           : QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}
}

ProgressBar::ProgressBar(int total, bool quiet)
    : m_total(total)
    , m_quiet(quiet)
    , m_terminal(::isatty(STDERR_FILENO) == 1)
{
    m_clock.start();
}

QString ProgressBar::line(int done) const
{
    const double seconds = double(m_clock.elapsed()) / 1000.0;
    const double rate = seconds > 0 ? done / seconds : 0;
    QString text = QCoreApplication::translate("ProgressBar", "%1 of %2 photos").arg(done).arg(m_total);
    if (done > 0 && seconds > 0) {
        text += QCoreApplication::translate("ProgressBar", ", %1 photos/s").arg(rate, 0, 'f', 1);
        if (done < m_total && rate > 0)
            text += QCoreApplication::translate("ProgressBar", ", %1 left").arg(duration(qint64((m_total - done) / rate + 0.5)));
    }
    if (!m_terminal)
        return text;
    const int filled = m_total > 0 ? BarWidth * done / m_total : BarWidth;
    return QLatin1Char('[') + QString(filled, QLatin1Char('#')) + QString(BarWidth - filled, QLatin1Char('-'))
        + QStringLiteral("] ") + text;
}

void ProgressBar::show(int done)
{
    m_done = done;
    if (m_quiet)
        return;
    if (m_terminal) {
        write(QLatin1Char('\r') + line(done) + QStringLiteral("\x1b[K"));
        m_drawn = true;
        return;
    }
    // Into a log: the first photo, then about one line a second, and the last.
    const qint64 now = m_clock.elapsed();
    if (m_lastPlain >= 0 && now - m_lastPlain < 1000 && done < m_total)
        return;
    m_lastPlain = now;
    write(line(done) + QLatin1Char('\n'));
}

void ProgressBar::message(const QString &text)
{
    clear();
    write(text + QLatin1Char('\n'));
    if (m_drawn)
        show(m_done);
}

void ProgressBar::finish()
{
    if (m_drawn)
        write(QStringLiteral("\n"));
    m_drawn = false;
}

void ProgressBar::clear()
{
    if (m_terminal && !m_quiet && m_drawn)
        write(QStringLiteral("\r\x1b[K"));
}
