// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/program.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// A number as plain decimal text: no blanks, no grouping, "-" only before negative values.
std::string numberText(std::int32_t value);

struct Conversion
{
    std::int32_t value = 0;
    std::optional<RunTimeError> error; // set when the text does not give a 32-bit number
};

// Reads a whole decimal number: ASCII digits with an optional leading "+" or "-", with white
// space around it allowed. Anything else is a type mismatch; a number outside the signed 32-bit
// range is an overflow.
Conversion toInt32(std::string_view text);

} // namespace platform
