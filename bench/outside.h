// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The real program seen from outside, in the X server: how long it takes to show its settings
// window; and a load on the machine's other cores.

#include "schedule.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <cstdio>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

inline QByteArray windowName(xcb_connection_t *x, xcb_window_t window)
{
    const auto cookie
        = xcb_get_property(x, false, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 64);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
        xcb_get_property_reply(x, cookie, nullptr), &free);
    if (!reply)
        return {};
    return QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

// Milliseconds from starting the real program to its settings window being mapped on the screen.
inline double startUpMs(xcb_connection_t *x, const QString &program, const QStringList &arguments)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    QProcess running;
    QElapsedTimer clock;
    clock.start();
    running.start(program, arguments);
    double shownMs = -1;
    while (shownMs < 0) {
        std::unique_ptr<xcb_generic_event_t, decltype(&free)> event(xcb_wait_for_event(x), &free);
        if (!event)
            break;
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY
            && windowName(x, reinterpret_cast<xcb_map_notify_event_t *>(event.get())->window)
                == "Form1")
            shownMs = double(clock.nsecsElapsed()) / 1e6;
    }
    running.kill();
    running.waitForFinished();
    const uint32_t none = 0;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &none);
    xcb_flush(x);
    return shownMs;
}

// Starts the program ten times and prints the median and the longest start-up.
inline bool reportStartUp(const QString &program, const QStringList &arguments)
{
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no X server; run the benchmark through scripts/bench.sh\n");
        return false;
    }
    std::vector<double> startUps;
    for (int start = 0; start < 10; ++start)
        startUps.push_back(startUpMs(x, program, arguments));
    xcb_disconnect(x);
    std::printf("start-up to settings window: median %.1f ms, max %.1f ms (10 starts)\n",
                percentile(startUps, 0.5), *std::max_element(startUps.begin(), startUps.end()));
    std::fflush(stdout);
    return true;
}

// Keeps every other core busy with a process of its own while it lives.
class BusyCores
{
public:
    BusyCores()
    {
        for (int core = 1; core < QThread::idealThreadCount(); ++core) {
            m_load.push_back(std::make_unique<QProcess>());
            m_load.back()->start("sh", {"-c", "while :; do :; done"});
        }
    }
    ~BusyCores()
    {
        for (auto &process : m_load) {
            process->kill();
            process->waitForFinished();
        }
    }

private:
    std::vector<std::unique_ptr<QProcess>> m_load;
};
