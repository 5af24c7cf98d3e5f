// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/random.h"

#include <cstdint>
#include <random>

namespace platform {

static std::mt19937_64 seeded()
{
    std::random_device entropy;
    std::seed_seq seeds {entropy(), entropy(), entropy(), entropy()};
    return std::mt19937_64(seeds);
}

double randomNext()
{
    static std::mt19937_64 generator = seeded();
    // The top 53 bits, as many as a double holds exactly: never 1.
    return double(generator() >> 11) * 0x1.0p-53;
}

} // namespace platform
