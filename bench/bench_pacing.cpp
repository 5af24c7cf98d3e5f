// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Measures how closely the exercise window keeps its nominal pace with real timers, what it costs
// in CPU and memory, and how long the real program takes to show its settings window.
//
// Step onsets are recorded from outside the pacing: every step shows or hides the item's label or
// shows the reward picture, and an event filter stamps those moments with the monotonic clock.
// The nominal time of a step is counted the way the pacing counts it, from the interval it shows
// at the step and the period of every pause.

#include "core/shared_state.h"
#include "exercise_window/frm_werk.h"
#include "outside.h"
#include "platform/qt/qt_platform.h"
#include "schedule.h"
#include "settings_window/frm_hoofd.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

class StepRecorder : public QObject
{
public:
    StepRecorder(frm_werk &window, int steps)
        : m_window(window)
        , m_wanted(steps)
    {
        m_item = platform::widget(window.txt_string);
        m_picture = platform::widget(window.Picture1);
        m_item->installEventFilter(this);
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
        if ((watched == m_item && itemStep) || pauseStep) {
            // The step shows the interval it was counted with before it shows or hides anything.
            m_schedule.step(std::stoi(m_window.Label1.text()));
            m_steps.push_back(m_schedule.stamp(m_clock.nsecsElapsed()));
            if (pauseStep)
                m_schedule.pause(m_window.Timer2.interval());
            if (int(m_steps.size()) == m_wanted)
                m_loop.quit();
        }
        return false;
    }

private:
    frm_werk &m_window;
    const int m_wanted;
    QWidget *m_item = nullptr;
    QWidget *m_picture = nullptr;
    Schedule m_schedule;
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

// One run of the exercise as a user starts it: the interval typed into the settings window, then
// Start, which shows the exercise window modally until the wanted number of steps has been seen.
Figures runExercise(const char *typedInterval, int steps)
{
    SharedState state;
    frm_hoofd settings(state);
    settings.txt_start.setText(typedInterval);
    Figures figures;
    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(0, [&] {
        const QWidgetList windows = QApplication::topLevelWidgets();
        auto *exercise = static_cast<platform::NativeForm *>(
            *std::find_if(windows.begin(), windows.end(),
                          [](QWidget *w) { return w->objectName() == "frm_werk"; }));
        auto &window = static_cast<frm_werk &>(exercise->form);
        figures.steps = StepRecorder(window, steps).run();
        // Hiding the exercise window ends its modal display without ending the program.
        window.hide();
    });
    settings.cmd_start_Click();
    figures.realSeconds = double(wall.nsecsElapsed()) / 1e9;
    figures.cpuSeconds = cpuSeconds() - cpuBefore;
    return figures;
}

void measure(const char *label)
{
    // A whole block at 200 ms and the first step after it; then a series at the default 2000 ms
    // with its pause and the first step after that.
    report(label, {runExercise("200", 3 * 21 + 1), runExercise("2000", 21 + 1)});
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::printf("machine: %d cores\n", QThread::idealThreadCount());
    if (!reportStartUp(LEZOMAT_BINARY, {}))
        return 1;

    measure("idle");
    {
        const BusyCores load;
        measure("loaded");
    }

    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %.1f MB\n", double(usage.ru_maxrss) / 1024);
    return 0;
}
