// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win32/win32_platform.h"

#include <algorithm>

namespace platform {

namespace {

constexpr wchar_t ringerClass[] = L"LezomatRinger";
// Posted by the waiter thread: the alarm of that setting (wParam) is due; or its wait failed
// with that error.
constexpr UINT alarmDue = WM_APP;
constexpr UINT waitFailed = WM_APP + 1;
// The waits take one handle fewer than the system's limit beside the messages or the waiter's
// own event.
constexpr std::size_t mostAlarms = MAXIMUM_WAIT_OBJECTS - 1;
constexpr std::size_t none = std::size_t(-1);

} // namespace

MessageLoop &MessageLoop::instance()
{
    static MessageLoop loop;
    return loop;
}

MessageLoop::MessageLoop()
    : m_changed(CreateEventW(nullptr, FALSE, FALSE, nullptr))
{
    if (!m_changed)
        systemFailure("CreateEventW");
    WNDCLASSEXW ringer {};
    ringer.cbSize = sizeof ringer;
    ringer.lpfnWndProc = ringerProcedure;
    ringer.hInstance = GetModuleHandleW(nullptr);
    ringer.lpszClassName = ringerClass;
    if (!RegisterClassExW(&ringer))
        systemFailure("RegisterClassExW");
    m_ringer.reset(CreateWindowExW(0, ringerClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   ringer.hInstance, nullptr));
    if (!m_ringer)
        systemFailure("CreateWindowExW");
}

MessageLoop::~MessageLoop()
{
    if (m_waiter.joinable())
        stopWaiter();
}

void MessageLoop::runUntilHidden(HWND window)
{
    while (IsWindowVisible(window) && !programEnded()) {
        const auto count = DWORD(m_timers.size());
        const DWORD woke = MsgWaitForMultipleObjectsEx(count, m_timers.data(), INFINITE,
                                                       QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_FAILED)
            systemFailure("MsgWaitForMultipleObjectsEx");
        if (woke < WAIT_OBJECT_0 + count)
            ring(woke - WAIT_OBJECT_0);
        else if (!dispatchMessages(window))
            return;
    }
}

// False once the message to quit has come.
bool MessageLoop::dispatchMessages(HWND window)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The loops this one runs inside end too.
            PostQuitMessage(int(message.wParam));
            return false;
        }
        // The dialog keys are keyboard messages; the rest go straight on.
        const bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
        if (!key || !IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

std::size_t MessageLoop::find(const Alarm::Native &alarm) const
{
    const auto found = std::find(m_alarms.begin(), m_alarms.end(), &alarm);
    return found == m_alarms.end() ? none : std::size_t(found - m_alarms.begin());
}

void MessageLoop::add(Alarm::Native &alarm)
{
    std::size_t index = find(alarm);
    if (index == none) {
        if (m_alarms.size() == mostAlarms)
            systemFailure("MsgWaitForMultipleObjectsEx (more than 63 timers)");
        index = m_alarms.size();
        m_timers.push_back(alarm.timer.get());
        m_alarms.push_back(&alarm);
        m_settings.push_back(0);
    }
    m_settings[index] = ++m_lastSetting;
    tellWaiter();
}

void MessageLoop::remove(Alarm::Native &alarm)
{
    const std::size_t index = find(alarm);
    if (index == none)
        return;
    m_timers.erase(m_timers.begin() + std::ptrdiff_t(index));
    m_alarms.erase(m_alarms.begin() + std::ptrdiff_t(index));
    m_settings.erase(m_settings.begin() + std::ptrdiff_t(index));
    tellWaiter();
}

bool MessageLoop::contains(const Alarm::Native &alarm) const
{
    return find(alarm) != none;
}

void MessageLoop::forget(Alarm::Native &alarm)
{
    remove(alarm);
    // The waiter may still be waiting on the timer that is about to be closed.
    if (m_waiter.joinable()) {
        stopWaiter();
        startWaiter();
    }
}

// An alarm rings once for each setting.
void MessageLoop::ring(std::size_t index)
{
    Alarm::Native &alarm = *m_alarms[index];
    remove(alarm);
    alarm.ring();
}

// The waiter's post may come after the alarm was cancelled or set anew: then it rings nothing.
void MessageLoop::ringSetting(std::uint64_t setting)
{
    const auto found = std::find(m_settings.begin(), m_settings.end(), setting);
    if (found != m_settings.end())
        ring(std::size_t(found - m_settings.begin()));
}

LRESULT CALLBACK MessageLoop::ringerProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam)
{
    switch (message) {
    case alarmDue:
        instance().ringSetting(wParam);
        return 0;
    case waitFailed:
        SetLastError(DWORD(wParam));
        systemFailure("WaitForMultipleObjects");
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void MessageLoop::enterSystemLoop()
{
    if (m_systemLoops++ == 0)
        startWaiter();
}

void MessageLoop::leaveSystemLoop()
{
    if (m_systemLoops == 0)
        return;
    if (--m_systemLoops == 0)
        stopWaiter();
}

void MessageLoop::startWaiter()
{
    {
        const std::lock_guard lock(m_shared);
        m_stopWaiter = false;
    }
    tellWaiter();
    m_waiter = std::thread([this] { waitForAlarms(); });
}

void MessageLoop::stopWaiter()
{
    {
        const std::lock_guard lock(m_shared);
        m_stopWaiter = true;
    }
    SetEvent(m_changed.get());
    m_waiter.join();
}

// Gives the waiter the timers as they are now.
void MessageLoop::tellWaiter()
{
    if (m_systemLoops == 0)
        return;
    {
        const std::lock_guard lock(m_shared);
        m_waiterTimers = m_timers;
        m_waiterSettings = m_settings;
    }
    SetEvent(m_changed.get());
}

// The waiter thread. A timer resets itself when a wait sees it due, so the waiter posts its alarm
// once, and the timer is due again only once it has been set anew.
void MessageLoop::waitForAlarms()
{
    std::vector<HANDLE> handles;
    std::vector<std::uint64_t> settings;
    for (;;) {
        {
            const std::lock_guard lock(m_shared);
            if (m_stopWaiter)
                return;
            handles.assign(1, m_changed.get());
            handles.insert(handles.end(), m_waiterTimers.begin(), m_waiterTimers.end());
            settings = m_waiterSettings;
        }
        const DWORD woke
            = WaitForMultipleObjects(DWORD(handles.size()), handles.data(), FALSE, INFINITE);
        if (woke > WAIT_OBJECT_0 && woke < WAIT_OBJECT_0 + handles.size()) {
            PostMessageW(m_ringer.get(), alarmDue, WPARAM(settings[woke - WAIT_OBJECT_0 - 1]), 0);
        } else if (woke == WAIT_FAILED) {
            PostMessageW(m_ringer.get(), waitFailed, WPARAM(GetLastError()), 0);
            return;
        }
    }
}

} // namespace platform
