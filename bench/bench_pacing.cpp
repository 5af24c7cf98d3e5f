// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Measures how closely the exercise window keeps its nominal pace with real timers, what it costs
// in CPU and memory, and how long the real program takes to show its settings window.
//
// Step onsets are recorded from outside the pacing: every step shows or hides the item's label or
// shows the reward picture, and an event filter stamps those moments with the monotonic clock.
// The nominal time of a step is counted the way the pacing counts it: 10 ms for every tick
// delivered and the period of every pause.

#include "core/shared_state.h"
#include "exercise_window/frm_werk.h"
#include "platform/timer.h"
#include "settings_window/frm_hoofd.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <sys/resource.h>
#include <vector>
#include <xcb/xcb.h>

namespace {

struct Step
{
    qint64 realNs; // monotonic, from the start of the run
    qint64 nominalMs; // counted ticks and pauses, from the start of the run
    qint64 pausesMs; // the pauses' part of nominalMs
};

class StepRecorder : public QObject
{
public:
    StepRecorder(frm_werk &window, int steps)
        : m_wanted(steps)
    {
        auto *timer1 = window.findChild<platform::Timer *>("Timer1");
        auto *timer2 = window.findChild<platform::Timer *>("Timer2");
        m_tickPeriod = timer1->interval();
        connect(timer1, &platform::Timer::timeout, this, [this] { ++m_ticks; });
        connect(timer2, &platform::Timer::timeout, this,
                [this, timer2] { m_pausesMs += timer2->interval(); });
        window.findChild<QLabel *>("txt_string")->installEventFilter(this);
        m_picture = window.findChild<QLabel *>("Picture1");
        m_picture->installEventFilter(this);
        m_clock.start();
    }

    // Runs the event loop until the wanted number of steps has been seen.
    std::vector<Step> run()
    {
        m_loop.exec();
        return m_steps;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool itemStep
            = event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent;
        const bool pauseStep = watched == m_picture && event->type() == QEvent::ShowToParent;
        if ((watched != m_picture && itemStep) || pauseStep) {
            // Steps happen inside a tick, before this recorder has counted that tick.
            m_steps.push_back(
                {m_clock.nsecsElapsed(), (m_ticks + 1) * m_tickPeriod + m_pausesMs, m_pausesMs});
            if (int(m_steps.size()) == m_wanted)
                m_loop.quit();
        }
        return false;
    }

private:
    const int m_wanted;
    int m_tickPeriod = 0;
    qint64 m_ticks = 0;
    qint64 m_pausesMs = 0;
    QLabel *m_picture = nullptr;
    QElapsedTimer m_clock;
    QEventLoop m_loop;
    std::vector<Step> m_steps;
};

double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const auto index = size_t(std::ceil(fraction * double(values.size()))) - 1;
    return values[std::min(index, values.size() - 1)];
}

struct Figures
{
    std::vector<Step> steps;
    double realSeconds = 0;
    double cpuSeconds = 0;
};

// One run of the exercise as a user starts it: the interval typed into the settings window, then
// Start, which shows the exercise window modally until the wanted number of steps has been seen.
Figures runExercise(const QString &typedInterval, int steps)
{
    SharedState state;
    frm_hoofd settings(state);
    settings.findChild<QLineEdit *>("txt_start")->setText(typedInterval);
    Figures figures;
    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(0, [&] {
        const QWidgetList windows = QApplication::topLevelWidgets();
        auto *exercise = qobject_cast<frm_werk *>(
            *std::find_if(windows.begin(), windows.end(),
                          [](QWidget *w) { return qobject_cast<frm_werk *>(w); }));
        figures.steps = StepRecorder(*exercise, steps).run();
        // Hiding the exercise window ends its modal display without ending the program.
        exercise->hide();
    });
    settings.cmd_start_Click();
    figures.realSeconds = double(wall.nsecsElapsed()) / 1e9;
    figures.cpuSeconds = cpuSeconds() - cpuBefore;
    return figures;
}

// Lateness is how far each step comes after its nominal moment. Against the whole run's schedule,
// anchored at its first step, it adds up over the run; within a series, anchored at the series'
// first step, it shows the ticks' own precision.
void report(const char *label, const std::vector<Figures> &runs)
{
    std::vector<double> lateness;
    std::vector<double> latenessInSeries;
    double real = 0;
    double nominal = 0;
    double cpu = 0;
    double wall = 0;
    for (const Figures &run : runs) {
        const Step *first = &run.steps.front();
        const Step *seriesFirst = first;
        const auto late = [](const Step &step, const Step &anchor) {
            return double(step.realNs - anchor.realNs) / 1e6
                - double(step.nominalMs - anchor.nominalMs);
        };
        for (const Step &step : run.steps) {
            if (step.pausesMs != seriesFirst->pausesMs)
                seriesFirst = &step;
            lateness.push_back(late(step, *first));
            latenessInSeries.push_back(late(step, *seriesFirst));
        }
        real += double(run.steps.back().realNs - first->realNs) / 1e6;
        nominal += double(run.steps.back().nominalMs - first->nominalMs);
        cpu += run.cpuSeconds;
        wall += run.realSeconds;
    }
    std::printf("%s: drift ratio %.5f (%.2f s real for %.2f s nominal)\n", label, real / nominal,
                real / 1000, nominal / 1000);
    std::printf("%s: step-onset lateness median %.2f ms, p99 %.2f ms, max %.2f ms (%zu steps)\n",
                label, percentile(lateness, 0.5), percentile(lateness, 0.99),
                *std::max_element(lateness.begin(), lateness.end()), lateness.size());
    std::printf(
        "%s: step-onset lateness within a series median %.2f ms, p99 %.2f ms, max %.2f ms\n", label,
        percentile(latenessInSeries, 0.5), percentile(latenessInSeries, 0.99),
        *std::max_element(latenessInSeries.begin(), latenessInSeries.end()));
    std::printf("%s: CPU %.2f ms per second of run (%.3f%% of one core)\n", label,
                cpu * 1000 / wall, cpu * 100 / wall);
    std::fflush(stdout);
}

void measure(const char *label)
{
    // A whole block at 200 ms and the first step after it; then a series at the default 2000 ms
    // with its pause and the first step after that.
    report(label, {runExercise("200", 3 * 21 + 1), runExercise("2000", 21 + 1)});
}

QByteArray windowName(xcb_connection_t *x, xcb_window_t window)
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
double startUpMs(xcb_connection_t *x)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    QProcess program;
    QElapsedTimer clock;
    clock.start();
    program.start(LEZOMAT_BINARY, QStringList());
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
    program.kill();
    program.waitForFinished();
    const uint32_t none = 0;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &none);
    xcb_flush(x);
    return shownMs;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::printf("machine: %d cores\n", QThread::idealThreadCount());

    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "bench_pacing: no X server; run it through scripts/bench.sh\n");
        return 1;
    }
    std::vector<double> startUps;
    for (int start = 0; start < 10; ++start)
        startUps.push_back(startUpMs(x));
    xcb_disconnect(x);
    std::printf("start-up to settings window: median %.1f ms, max %.1f ms (10 starts)\n",
                percentile(startUps, 0.5), *std::max_element(startUps.begin(), startUps.end()));
    std::fflush(stdout);

    measure("idle");

    // Keep every other core busy with a process of its own.
    std::vector<std::unique_ptr<QProcess>> load;
    for (int core = 1; core < QThread::idealThreadCount(); ++core) {
        load.push_back(std::make_unique<QProcess>());
        load.back()->start("sh", {"-c", "while :; do :; done"});
    }
    measure("loaded");
    for (auto &process : load) {
        process->kill();
        process->waitForFinished();
    }

    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %.1f MB\n", double(usage.ru_maxrss) / 1024);
    return 0;
}
