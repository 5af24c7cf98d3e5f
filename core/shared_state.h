// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

// The value elapsed starts at, and goes back to at every step.
inline constexpr std::int32_t elapsedRestart = 1;

// The values both windows share for the whole run. Module1::Main makes the one instance and hands
// it to the windows; a new instance holds the program's defaults.
struct SharedState
{
    std::int32_t interval = 2000; // ms; a step comes each time half of it has passed
    std::int32_t acceleration
        = 100; // ms the interval shrinks by per block, and its lower limit then
    std::int32_t elapsed = elapsedRestart; // nominal ms counted by ticks since the last step
    std::int16_t step_count = 0; // steps taken in the current series
    std::int16_t series_in_block = 0; // series completed in the current block
    std::int16_t item_count = 16; // how many entries, from entry 1 on, the draw chooses among
    int item_index = 0; // the entry drawn last
};

// Changes to the interval stop at the 32-bit limits rather than overflow, so that no value typed
// or reached by the pace buttons can end the exercise.
constexpr std::int32_t clampToInt32(std::int64_t value)
{
    return std::int32_t(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}
