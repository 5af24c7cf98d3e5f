// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The nominal schedule of the exercise's steps and the figures of how closely a run kept it.

#include "exercise_window/pacing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

struct Step
{
    std::int64_t realNs; // monotonic, from the start of the run
    std::int64_t nominalMs; // counted ticks and pauses, from the start of the run
    std::int64_t pausesMs; // the pauses' part of nominalMs
};

// Counts nominal time the way the pacing does, tick by tick with the pacing's own rule; a pause
// adds its period.
class Schedule
{
public:
    // The next step, counted with the interval in effect since the last one.
    void step(int interval)
    {
        std::int32_t elapsed = elapsedRestart;
        do {
            elapsed += pacing::tickPeriod;
            m_nominalMs += pacing::tickPeriod;
        } while (!pacing::stepIsDue(elapsed, interval));
    }
    void pause(int period)
    {
        m_nominalMs += period;
        m_pausesMs += period;
    }
    Step stamp(std::int64_t realNs) const { return {realNs, m_nominalMs, m_pausesMs}; }

private:
    std::int64_t m_nominalMs = 0;
    std::int64_t m_pausesMs = 0;
};

inline double percentile(std::vector<double> values, double fraction)
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
// Lateness is how far each step comes after its nominal moment. Against the whole run's schedule,
// anchored at its first step, it adds up over the run; within a series, anchored at the series'
// first step, it shows the ticks' own precision.
inline void report(const char *label, const std::vector<Figures> &runs)
{
    std::vector<double> lateness;
    std::vector<double> latenessInSeries;
    double real = 0;
    double nominal = 0;
    double cpu = 0;
    double wall = 0;
    for (const Figures &run : runs) {
        // A program that stood still shows no step at all.
        if (run.steps.empty()) {
            std::printf("%s: no step seen\n", label);
            return;
        }
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
