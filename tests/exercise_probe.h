// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/shared_state.h"
#include "exercise_window/frm_werk.h"

#include <cassert>
#include <cstdint>

// An exercise window whose timers are played by the test with a nominal clock: the real timers
// are left running but never fire, since the test does not spin the event loop.
class ExerciseProbe
{
public:
    enum class Phase { Blank, Shown, Pause, Broken };

    explicit ExerciseProbe(SharedState &state)
        : state(state)
        , window(state)
    {
    }

    // One tick of Timer1; true when it brought a step.
    bool tick()
    {
        assert(Timer1->isActive());
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
        assert(Timer2->isActive());
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
        const bool shown = txt_string->isVisible();
        const bool picture = Picture1->isVisible();
        if (Timer1->isActive() && !Timer2->isActive() && !picture)
            return shown ? Phase::Shown : Phase::Blank;
        if (!Timer1->isActive() && Timer2->isActive() && picture && !shown)
            return Phase::Pause;
        return Phase::Broken;
    }

    SharedState &state;
    frm_werk window;
    platform::Label *txt_string = &window.txt_string;
    platform::PictureBox *Picture1 = &window.Picture1;
    platform::Label *Label1 = &window.Label1;
    platform::Label *Label3 = &window.Label3;
    platform::Timer *Timer1 = &window.Timer1;
    platform::Timer *Timer2 = &window.Timer2;
    std::int64_t clock = 0; // nominal ms since the window opened
    int ticks = 0;
};
