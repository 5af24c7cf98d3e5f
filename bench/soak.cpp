// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs the exercise window with its real timers at a short interval for a long time, and prints
// the resident memory once a minute, to show that nothing grows while the exercise runs.

#include "core/shared_state.h"
#include "exercise_window/frm_werk.h"
#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <cstdio>

namespace {

double residentMb()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int minutes = argc > 1 ? std::atoi(argv[1]) : 60;
    const qint32 interval = 200;

    SharedState state;
    state.interval = interval;
    frm_werk window(state);
    platform::widget(window)->show();

    double afterFirstMinute = 0;
    double highest = 0;
    int minute = 0;
    QElapsedTimer clock;
    clock.start();
    QTimer sampler;
    sampler.callOnTimeout([&] {
        ++minute;
        const double rss = residentMb();
        if (minute == 1)
            afterFirstMinute = rss;
        highest = std::max(highest, rss);
        std::printf("minute %d: resident %.2f MB, interval %d ms\n", minute, rss, state.interval);
        std::fflush(stdout);
        if (minute == minutes)
            app.quit();
    });
    sampler.start(60'000);
    app.exec();
    std::printf("%d minutes at %d ms: resident %.2f MB after the first minute, at most %.2f MB "
                "after it, growth %.2f MB\n",
                minutes, interval, afterFirstMinute, highest, highest - afterFirstMinute);
    return 0;
}
