// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/shared_state.h"
#include "exercise_window/frm_werk.h"
#include "platform/timer.h"

#include <QLabel>

// An exercise window whose timers are played by the test with a nominal clock: the real timers
// are left running but never fire, since the test does not spin the event loop.
class ExerciseProbe
{
public:
    enum class Phase { Blank, Shown, Pause, Broken };

    explicit ExerciseProbe(SharedState &state)
        : state(state)
        , window(state)
        , txt_string(window.findChild<QLabel *>("txt_string"))
        , Picture1(window.findChild<QLabel *>("Picture1"))
        , Label1(window.findChild<QLabel *>("Label1"))
        , Label3(window.findChild<QLabel *>("Label3"))
        , Timer1(window.findChild<platform::Timer *>("Timer1"))
        , Timer2(window.findChild<platform::Timer *>("Timer2"))
    {
    }

    // One tick of Timer1; true when it brought a step.
    bool tick()
    {
        Q_ASSERT(Timer1->isActive());
        window.Timer1_Timer();
        clock += Timer1->interval();
        ++ticks;
        return state.elapsed == elapsedRestart;
    }

    // Ticks until the next step; how many ticks that took.
    int ticksToNextStep()
    {
        int count = 1;
        while (!tick())
            ++count;
        return count;
    }

    // The end of the pause, after Timer2's period.
    void endPause()
    {
        Q_ASSERT(Timer2->isActive());
        clock += Timer2->interval();
        window.Timer2_Timer();
    }

    // The next timer event, whichever timer runs.
    void next()
    {
        if (Timer1->isActive())
            tick();
        else
            endPause();
    }

    Phase phase() const
    {
        const bool shown = !txt_string->isHidden();
        const bool picture = !Picture1->isHidden();
        if (Timer1->isActive() && !Timer2->isActive() && !picture)
            return shown ? Phase::Shown : Phase::Blank;
        if (!Timer1->isActive() && Timer2->isActive() && picture && !shown)
            return Phase::Pause;
        return Phase::Broken;
    }

    SharedState &state;
    frm_werk window;
    QLabel *txt_string;
    QLabel *Picture1;
    QLabel *Label1;
    QLabel *Label3;
    platform::Timer *Timer1;
    platform::Timer *Timer2;
    qint64 clock = 0; // nominal ms since the window opened
    int ticks = 0;
};
