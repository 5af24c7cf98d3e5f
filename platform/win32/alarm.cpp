// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/native.h"
#include "platform/win32/native.h"

#include <algorithm>
#include <timeapi.h>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace platform {

// A plain window timer keeps to the system's timer resolution and drifts by several per cent.
// Each alarm is a high-resolution waitable timer instead, which the program's message loop waits
// on together with the messages.
struct Alarm::Native
{
    std::function<void()> ring;
    HANDLE timer = nullptr;
    bool set = false;
};

namespace {

std::vector<Alarm::Native *> alarms;

HANDLE highResolutionTimer()
{
    if (HANDLE timer = CreateWaitableTimerExW(
            nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS))
        return timer;
    // Before Windows 10 version 1803 waitable timers keep to the system's timer resolution,
    // which the program then makes 1 ms for as long as it runs.
    [[maybe_unused]] static const MMRESULT finer = timeBeginPeriod(1);
    return CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
}

void ring(Alarm::Native &alarm)
{
    alarm.set = false;
    alarm.ring();
}

// Rings the alarms that are due, while a loop of the system's runs: a message box, or the moving
// or sizing of a window. The system's loop dispatches the messages of a plain timer set for the
// purpose, late by up to its resolution but without drift, since each period of the program's
// timers is counted from the deadline of the one before.
void CALLBACK ringDueAlarms(HWND, UINT, UINT_PTR, DWORD)
{
    for (Alarm::Native *alarm : std::vector(alarms)) {
        if (alarm->set && WaitForSingleObject(alarm->timer, 0) == WAIT_OBJECT_0)
            ring(*alarm);
    }
}

UINT_PTR foreignLoopTimer = 0;

} // namespace

const std::vector<HANDLE> &setAlarms()
{
    static std::vector<HANDLE> handles;
    handles.clear();
    for (const Alarm::Native *alarm : alarms) {
        if (alarm->set)
            handles.push_back(alarm->timer);
    }
    return handles;
}

void ringAlarm(HANDLE timer)
{
    const auto found
        = std::find_if(alarms.begin(), alarms.end(),
                       [timer](const Alarm::Native *alarm) { return alarm->timer == timer; });
    if (found != alarms.end() && (*found)->set)
        ring(**found);
}

void enterForeignLoop()
{
    if (!foreignLoopTimer)
        foreignLoopTimer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, ringDueAlarms);
}

void leaveForeignLoop()
{
    KillTimer(nullptr, foreignLoopTimer);
    foreignLoopTimer = 0;
}

Alarm::Alarm(std::function<void()> ring)
    : m_native(std::make_unique<Native>())
{
    m_native->ring = std::move(ring);
    m_native->timer = highResolutionTimer();
    alarms.push_back(m_native.get());
}

Alarm::~Alarm()
{
    std::erase(alarms, m_native.get());
    CloseHandle(m_native->timer);
}

void Alarm::set(std::chrono::milliseconds wait)
{
    // Relative times are negative, in units of 100 ns.
    LARGE_INTEGER due;
    due.QuadPart = -std::max<LONGLONG>(1, wait.count() * 10'000);
    m_native->set = true;
    SetWaitableTimer(m_native->timer, &due, 0, nullptr, nullptr, FALSE);
}

void Alarm::cancel()
{
    m_native->set = false;
    CancelWaitableTimer(m_native->timer);
}

bool Alarm::isSet() const
{
    return m_native->set;
}

} // namespace platform
