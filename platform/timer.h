// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

namespace platform {

// A periodic timer that keeps to its period within a millisecond however long the period, and
// does not drift: each period is counted from the deadline of the one before, and a timer started
// by the handler of a punctual tick counts from that tick's deadline. Linux lets a long wait in
// the event loop end up to 0.1% late (3.5 ms of a 3.5 s pause), so a long period is waited out in
// two parts, the last one short. Ticks delivered more than a period late are dropped, not made up.
class Timer : public QObject
{
    Q_OBJECT

public:
    Timer(QObject *parent, const char *name, int period);

    int interval() const { return int(m_period.count()); }
    // Takes effect at the next start.
    void setInterval(int period) { m_period = std::chrono::milliseconds(period); }
    bool isActive() const { return m_wait.isActive(); }
    void start();
    void stop() { m_wait.stop(); }

signals:
    void timeout();

private:
    void waitForDeadline();
    void waitOver();

    QTimer m_wait;
    std::chrono::milliseconds m_period;
    std::chrono::steady_clock::time_point m_deadline;
};

} // namespace platform
