// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The rules of the exercise's pace, which the exercise window keeps and the benchmark measures
// against.

#include "core/shared_state.h"

#include <cstdint>

namespace pacing {

inline constexpr int tickPeriod = 10; // ms
inline constexpr std::int16_t stepsPerSeries = 21; // 20 flashing steps, then the one that pauses
inline constexpr std::int16_t seriesPerBlock = 3;
inline constexpr int pauseAfterSeries = 3500; // ms
inline constexpr int pauseAfterBlock = 5500; // ms

// A step is due once the time counted since the last one has passed half the interval, compared
// as real numbers: 1001 > 1000 with 2000, but 1001 is not > 1001 with 2002.
constexpr bool stepIsDue(std::int32_t elapsed, std::int32_t interval)
{
    return elapsed > interval / 2.0;
}

// The interval after a block: shortened by the acceleration, but never below it.
constexpr std::int32_t intervalAfterBlock(std::int32_t interval, std::int32_t acceleration)
{
    const std::int32_t shortened = clampToInt32(std::int64_t(interval) - acceleration);
    return shortened < acceleration ? acceleration : shortened;
}

} // namespace pacing
