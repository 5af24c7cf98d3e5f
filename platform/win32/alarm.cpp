// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/native.h"
#include "platform/win32/native.h"

#include <map>
#include <thread>
#include <timeapi.h>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace platform {

// A plain window timer keeps to the system's timer resolution and drifts by several per cent.
// Each alarm has a high-resolution waitable timer instead, waited on by a thread of its own,
// which posts the ring to the user-interface thread. A posted message is dispatched by whatever
// message loop runs, also the system's own while a window is moved or a message box is shown, so
// the ticks keep coming there too.
struct Alarm::Native
{
    std::function<void()> ring;
    HANDLE timer = nullptr;
    HANDLE quit = nullptr;
    std::thread waiter;
    bool set = false;
};

namespace {

constexpr UINT ringMessage = WM_APP + 1;
constexpr wchar_t ringClass[] = L"LezomatAlarms";

std::map<UINT_PTR, Alarm::Native *> alarms;
UINT_PTR lastAlarm = 0;

LRESULT CALLBACK ringProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != ringMessage)
        return DefWindowProcW(window, message, wParam, lParam);
    // A ring of an alarm cancelled or gone since is not heard.
    const auto found = alarms.find(UINT_PTR(wParam));
    if (found != alarms.end() && found->second->set) {
        found->second->set = false;
        found->second->ring();
    }
    return 0;
}

HWND ringWindow()
{
    static HWND window = [] {
        WNDCLASSEXW ring {};
        ring.cbSize = sizeof ring;
        ring.lpfnWndProc = ringProcedure;
        ring.hInstance = GetModuleHandleW(nullptr);
        ring.lpszClassName = ringClass;
        RegisterClassExW(&ring);
        return CreateWindowExW(0, ringClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               ring.hInstance, nullptr);
    }();
    return window;
}

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

} // namespace

Alarm::Alarm(std::function<void()> ring)
    : m_native(std::make_unique<Native>())
{
    m_native->ring = std::move(ring);
    m_native->timer = highResolutionTimer();
    m_native->quit = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const UINT_PTR id = ++lastAlarm;
    alarms[id] = m_native.get();
    m_native->waiter
        = std::thread([window = ringWindow(), id, timer = m_native->timer, quit = m_native->quit] {
              SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
              const HANDLE handles[] = {quit, timer};
              while (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1)
                  PostMessageW(window, ringMessage, id, 0);
          });
}

Alarm::~Alarm()
{
    std::erase_if(alarms, [this](const auto &alarm) { return alarm.second == m_native.get(); });
    SetEvent(m_native->quit);
    m_native->waiter.join();
    CloseHandle(m_native->quit);
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
