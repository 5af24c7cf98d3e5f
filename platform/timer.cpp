// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/timer.h"

#include "platform/toolkit.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace platform {

using namespace std::chrono;

// Waits longer than this stop short of their deadline by more than the system may add to them.
constexpr auto longWait = 50ms;
// Waits are whole milliseconds: the deadline counts as met within half of one.
constexpr auto halfWait = 500us;

// A tick handled this soon after its deadline is on time: a timer started by its handler counts
// from that deadline rather than from the moment the handler got to run, so that chains of timers
// (a pause started at a step, ticks restarted after the pause) keep to the nominal schedule.
// Later ticks are not made up: timers started then count from the moment they are started.
constexpr auto punctual = 5ms;
static std::optional<steady_clock::time_point> tickDeadline;

static std::vector<Timer *> timers;

Timer::Timer(const char *name, int period, std::function<void()> onTick)
    : m_name(name)
    , m_period(period)
    , m_onTick(std::move(onTick))
    , m_wait(std::make_unique<Alarm>([this] { waitOver(); }))
{
    timers.push_back(this);
}

Timer::~Timer()
{
    std::erase(timers, this);
}

bool Timer::isActive() const
{
    return m_wait->isSet();
}

void Timer::stop()
{
    m_wait->cancel();
}

void Timer::stopAll()
{
    for (Timer *timer : timers)
        timer->stop();
}

void Timer::start()
{
    m_deadline = tickDeadline.value_or(steady_clock::now()) + m_period;
    waitForDeadline();
}

void Timer::waitForDeadline()
{
    const auto left = m_deadline - steady_clock::now();
    const auto wait = left > longWait ? left - left / 500 - 2ms : left;
    m_wait->set(std::max(round<milliseconds>(wait), 0ms));
}

void Timer::waitOver()
{
    const auto now = steady_clock::now();
    if (now < m_deadline - halfWait) {
        waitForDeadline();
        return;
    }
    const auto due = m_deadline;
    m_deadline += m_period;
    if (m_deadline <= now)
        m_deadline = now + m_period;
    // Waiting on first lets the handler stop the timer.
    waitForDeadline();
    const auto outer
        = std::exchange(tickDeadline, now - due < punctual ? std::optional(due) : std::nullopt);
    m_onTick();
    tickDeadline = outer;
}

} // namespace platform
