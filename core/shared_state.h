// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>
#include <algorithm>
#include <limits>

// The value elapsed starts at, and goes back to at every step.
inline constexpr qint32 elapsedRestart = 1;

// The values both windows share for the whole run. Module1::Main makes the one instance and hands
// it to the windows; a new instance holds the program's defaults.
struct SharedState
{
    qint32 interval = 2000; // ms; a step comes each time half of it has passed
    qint32 acceleration = 100; // ms the interval shrinks by per block, and its lower limit then
    qint32 elapsed = elapsedRestart; // nominal ms counted by ticks since the last step
    qint16 step_count = 0; // steps taken in the current series
    qint16 series_in_block = 0; // series completed in the current block
    qint16 item_count = 16; // how many entries, from entry 1 on, the draw chooses among
    int item_index = 0; // the entry drawn last
};

// Changes to the interval stop at the 32-bit limits rather than overflow, so that no value typed
// or reached by the pace buttons can end the exercise.
constexpr qint32 clampToInt32(qint64 value)
{
    return qint32(std::clamp<qint64>(value, std::numeric_limits<qint32>::min(),
                                     std::numeric_limits<qint32>::max()));
}
