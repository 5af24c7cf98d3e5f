// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace platform {

class Alarm;

// A periodic timer that keeps to its period within a millisecond however long the period, and
// does not drift: each period is counted from the deadline of the one before, and a timer started
// by the handler of a punctual tick counts from that tick's deadline. Some systems let a long
// wait end up to 0.1% late (3.5 ms of a 3.5 s pause), so a long period is waited out in two parts,
// the last one short. Ticks delivered more than a period late are dropped, not made up.
class Timer
{
public:
    Timer(const char *name, int period, std::function<void()> onTick);
    ~Timer();
    Timer(const Timer &) = delete;
    Timer &operator=(const Timer &) = delete;

    const std::string &name() const { return m_name; }
    int interval() const { return int(m_period.count()); }
    // Takes effect at the next start.
    void setInterval(int period) { m_period = std::chrono::milliseconds(period); }
    bool isActive() const;
    void start();
    void stop();

    // Stops every timer of the program.
    static void stopAll();

private:
    void waitForDeadline();
    void waitOver();

    std::string m_name;
    std::chrono::milliseconds m_period;
    std::function<void()> m_onTick;
    std::chrono::steady_clock::time_point m_deadline;
    std::unique_ptr<Alarm> m_wait;
};

} // namespace platform
