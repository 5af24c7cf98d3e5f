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
#include "tests/screen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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

// The process of the running program, which under Wine's virtual desktop is not the one started.
qint64 programProcess()
{
    for (const QString &pid : QDir("/proc").entryList({"[0-9]*"}, QDir::Dirs)) {
        QFile commandLine("/proc/" + pid + "/cmdline");
        if (commandLine.open(QIODevice::ReadOnly)
            && commandLine.readAll().split('\0').value(0).endsWith("lezomat.exe"))
            return pid.toLongLong();
    }
    return 0;
}

// The steps seen on the screen until there are as many as wanted, from the end of the first pause
// on, when the window is drawn whole and the series known. The exercise window's client area
// starts at client in the X window.
Figures sample(xcb_window_t window, QPoint client, int typedInterval, int wanted)
{
    int interval = typedInterval;
    int series = 0;
    bool item = false;
    bool picture = false;
    bool recording = false;
    Schedule schedule;
    Figures figures;
    QElapsedTimer clock;
    clock.start();
    const qint64 program = programProcess();
    const double cpuBefore = cpuSeconds(program);
    while (int(figures.steps.size()) < wanted && !clock.hasExpired(180'000)) {
        const bool itemNow = itemShown(x, window, client);
        const bool pictureNow = pictureShown(x, window, client);
        const qint64 now = clock.nsecsElapsed();
        if (recording && (itemNow != item || (pictureNow && !picture))) {
            schedule.step(interval);
            figures.steps.push_back(schedule.stamp(now));
        }
        recording = recording || (picture && !pictureNow);
        if (pictureNow && !picture) {
            // The typed acceleration is the default.
            const bool blockEnds = ++series % pacing::seriesPerBlock == 0;
            schedule.pause(blockEnds ? pacing::pauseAfterBlock : pacing::pauseAfterSeries);
            if (blockEnds)
                interval = pacing::intervalAfterBlock(interval, SharedState().acceleration);
        }
        item = itemNow;
        picture = pictureNow;
        std::this_thread::sleep_for(std::chrono::microseconds(250));
    }
    figures.realSeconds = double(clock.nsecsElapsed()) / 1e9;
    figures.cpuSeconds = cpuSeconds(program) - cpuBefore;
    highestMb = std::max(highestMb, peakMb(program));
    return figures;
}

void type(const QString &window, int typedInterval)
{
    xdotool({"windowfocus", "--sync", window});
    xdotool({"key", "ctrl+a"});
    xdotool({"type", QString::number(typedInterval)});
    xdotool({"key", "alt+s"});
}

// One run: the interval typed into the settings window and Start pressed with Alt+S.
Figures runExercise(const QString &exe, int typedInterval, int wanted)
{
    QProcess program;
    program.start("wine", {exe});
    type(shownWindow("Form1"), typedInterval);
    const Figures figures = sample(shownWindow("Lezomat").toUInt(), {}, typedInterval, wanted);
    program.kill();
    program.waitForFinished();
    return figures;
}

// The same on Wine's virtual desktop, which runs the system's move loop as Windows does: the
// exercise window is held by its caption with the mouse and moved a little from its start on, or
// not.
Figures runOnDesktop(const QString &exe, int typedInterval, int wanted, bool moved)
{
    QProcess program;
    program.start("wine", {"explorer", "/desktop=bench,1280x1024", exe});
    const QString desktop = shownWindow("bench - Wine desktop");
    const xcb_window_t id = desktop.toUInt();
    const QPoint middle(640, 512);
    for (int wait = 0; wait < 200 && pixelColour(x, id, middle) == pixelColour(x, id, {5, 5});
         ++wait)
        QThread::msleep(50);
    type(desktop, typedInterval);
    for (int wait = 0; wait < 200 && !itemShown(x, id, exerciseOnDesktop(x, id, middle)); ++wait)
        QThread::msleep(10);
    if (moved) {
        const QPoint caption = exerciseOnDesktop(x, id, middle) + QPoint(498, -12);
        xdotool({"mousemove", QString::number(caption.x()), QString::number(caption.y())});
        xdotool({"mousedown", "1"});
        xdotool(
            {"mousemove", QString::number(caption.x() + 20), QString::number(caption.y() + 20)});
        QThread::msleep(200);
    }
    const Figures figures = sample(id, exerciseOnDesktop(x, id, middle), typedInterval, wanted);
    xdotool({"mouseup", "1"});
    program.kill();
    program.waitForFinished();
    QProcess::execute("wineserver", {"-k"});
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
    // A whole block at 200 ms and the first step after it, on the virtual desktop, without and
    // with the window in the system's move loop all along.
    report("desktop, not moved", {runOnDesktop(exe, 200, 3 * 21 + 1, false)});
    report("desktop, in the move loop", {runOnDesktop(exe, 200, 3 * 21 + 1, true)});
    std::printf("peak resident memory of the program: %.1f MB\n", highestMb);
    xcb_disconnect(x);
    return 0;
}
