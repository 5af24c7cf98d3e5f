// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win32/win32_platform.h"

#include <algorithm>
#include <timeapi.h>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace platform {

// A plain window timer keeps to the system's timer resolution and drifts by several per cent;
// a high-resolution waitable timer keeps to its time.
static KernelHandle highResolutionTimer()
{
    if (HANDLE timer = CreateWaitableTimerExW(
            nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS))
        return KernelHandle(timer);
    // Before Windows 10 version 1803 waitable timers keep to the system's timer resolution,
    // which the program then makes 1 ms for as long as it runs.
    [[maybe_unused]] static const MMRESULT finer = timeBeginPeriod(1);
    KernelHandle timer(CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS));
    if (!timer)
        systemFailure("CreateWaitableTimerExW");
    return timer;
}

Alarm::Alarm(std::function<void()> ring)
    : m_native(std::make_unique<Native>(highResolutionTimer(), std::move(ring)))
{
}

Alarm::~Alarm()
{
    MessageLoop::instance().forget(*m_native);
}

void Alarm::set(std::chrono::milliseconds wait)
{
    // Relative times are negative, in units of 100 ns.
    LARGE_INTEGER due;
    due.QuadPart = -std::max<LONGLONG>(1, wait.count() * 10'000);
    if (!SetWaitableTimer(m_native->timer.get(), &due, 0, nullptr, nullptr, FALSE))
        systemFailure("SetWaitableTimer");
    MessageLoop::instance().add(*m_native);
}

void Alarm::cancel()
{
    CancelWaitableTimer(m_native->timer.get());
    MessageLoop::instance().remove(*m_native);
}

bool Alarm::isSet() const
{
    return MessageLoop::instance().contains(*m_native);
}

} // namespace platform
