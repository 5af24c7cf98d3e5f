// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Measures the Windows program under Wine from outside, as a person watching it would: how
// closely the steps on the screen keep the nominal pace, what the program costs in CPU and
// memory, and how long it takes to show its settings window. bench_windows LEZOMAT_EXE
//
// The exercise is started as a user starts it, with keys. The screen is then read every quarter
// of a millisecond: every step shows or hides the item's label or shows the reward picture, and
// the moment the change is seen is its onset. Steps are recorded from the end of the first pause.
// The nominal time of each step is counted from the typed interval, the pauses and the shortening
// after every third series.

#include "outside.h"
#include "schedule.h"

#include <QCoreApplication>
#include <QFile>
#include <QRect>
#include <functional>
#include <thread>

namespace {

xcb_connection_t *x = nullptr;

QString xdotool(const QStringList &arguments)
{
    QProcess process;
    process.start("xdotool", arguments);
    process.waitForFinished(20000);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

QString shownWindow(const QString &title)
{
    return xdotool({"search", "--sync", "--onlyvisible", "--name", "^" + title + "$"})
        .section('\n', 0, 0);
}

// How many pixels of the window's area match the test.
int countPixels(xcb_window_t window, QRect area, const std::function<bool(int, int, int)> &test)
{
    const auto cookie
        = xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, window, int16_t(area.x()), int16_t(area.y()),
                        uint16_t(area.width()), uint16_t(area.height()), ~0u);
    std::unique_ptr<xcb_get_image_reply_t, decltype(&free)> image(
        xcb_get_image_reply(x, cookie, nullptr), &free);
    if (!image)
        return -1;
    const uint8_t *pixel = xcb_get_image_data(image.get());
    const int pixels = xcb_get_image_data_length(image.get()) / 4;
    int count = 0;
    for (int i = 0; i < pixels; ++i, pixel += 4)
        count += test(pixel[2], pixel[1], pixel[0]);
    return count;
}

// The process's own CPU time, and its peak resident memory, from /proc.
double cpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = stat.readAll().split(')').value(1).split(' ');
    // After the name: state is field 3, utime and stime are fields 14 and 15.
    return double(fields.value(12).toLongLong() + fields.value(13).toLongLong())
        / double(sysconf(_SC_CLK_TCK));
}

double peakMb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

double highestMb = 0;

// One run: the interval typed into the settings window and Start pressed with Alt+S, then the
// steps seen on the screen until there are as many as wanted.
Figures runExercise(const QString &exe, int typedInterval, int wanted)
{
    QProcess program;
    program.start("wine", {exe});
    const QString settings = shownWindow("Form1");
    xdotool({"windowfocus", "--sync", settings});
    xdotool({"key", "ctrl+a"});
    xdotool({"type", QString::number(typedInterval)});
    xdotool({"key", "alt+s"});
    const xcb_window_t exercise = shownWindow("Lezomat").toUInt();

    const auto rgb = [](int r, int g, int b) { return r << 16 | g << 8 | b; };
    const auto yellow = [](int r, int g, int b) { return r > 200 && g > 150 && b < 100; };
    int interval = typedInterval;
    int series = 0;
    bool item = false;
    bool picture = false;
    // From the end of the first pause on, when the window is drawn whole and the series known.
    bool recording = false;
    Schedule schedule;
    Figures figures;
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = cpuSeconds(program.processId());
    while (int(figures.steps.size()) < wanted && !clock.hasExpired(180'000)) {
        int window = -1;
        countPixels(exercise, QRect(5, 5, 1, 1), [&](int r, int g, int b) {
            window = rgb(r, g, b);
            return true;
        });
        const auto label = [&](int r, int g, int b) { return rgb(r, g, b) != window; };
        // The lowest rows of the item's label lie below the picture box.
        const bool itemNow = countPixels(exercise, QRect(352, 378, 225, 7), label) > 1000;
        const bool pictureNow = countPixels(exercise, QRect(384, 264, 153, 113), yellow) > 100;
        const qint64 now = clock.nsecsElapsed();
        if (recording && (itemNow != item || (pictureNow && !picture))) {
            schedule.step(interval);
            figures.steps.push_back(schedule.stamp(now));
        }
        recording = recording || (picture && !pictureNow);
        if (pictureNow && !picture) {
            ++series;
            schedule.pause(series % 3 ? 3500 : 5500);
            if (series % 3 == 0)
                interval = std::max(interval - 100, 100);
        }
        item = itemNow;
        picture = pictureNow;
        std::this_thread::sleep_for(std::chrono::microseconds(250));
    }
    figures.realSeconds = double(clock.nsecsElapsed()) / 1e9;
    figures.cpuSeconds = cpuSeconds(program.processId()) - cpuBefore;
    highestMb = std::max(highestMb, peakMb(program.processId()));
    program.kill();
    program.waitForFinished();
    return figures;
}

void measure(const QString &exe, const char *label)
{
    // From the second series on: a whole block at 200 ms and the first step after it; then a
    // series at the default 2000 ms with its pause and the first step after that.
    report(label, {runExercise(exe, 200, 3 * 21 + 1), runExercise(exe, 2000, 21 + 1)});
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_windows LEZOMAT_EXE\n");
        return 2;
    }
    const QString exe = QString::fromLocal8Bit(argv[1]);
    QProcess wine;
    wine.start("wine", {"--version"});
    wine.waitForFinished();
    std::printf("machine: %d cores; %s", QThread::idealThreadCount(),
                wine.readAllStandardOutput().constData());
    if (!reportStartUp("wine", {exe}))
        return 1;
    x = xcb_connect(nullptr, nullptr);

    measure(exe, "idle");
    {
        const BusyCores load;
        measure(exe, "loaded");
    }
    std::printf("peak resident memory of the program: %.1f MB\n", highestMb);
    xcb_disconnect(x);
    return 0;
}
