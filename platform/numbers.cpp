// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/numbers.h"

#include <algorithm>
#include <cassert>
#include <charconv>

namespace platform {

std::string numberText(std::int32_t value)
{
    return std::to_string(value);
}

static std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view whiteSpace = " \t\n\v\f\r";
    const auto first = text.find_first_not_of(whiteSpace);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(whiteSpace) - first + 1);
}

static bool isDecimalNumber(std::string_view text)
{
    if (text.starts_with('+') || text.starts_with('-'))
        text.remove_prefix(1);
    return !text.empty()
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

Conversion toInt32(std::string_view text)
{
    std::string_view number = trimmed(text);
    if (!isDecimalNumber(number))
        return {0, RunTimeError::TypeMismatch};

    // from_chars takes no leading "+".
    if (number.starts_with('+'))
        number.remove_prefix(1);
    Conversion result;
    const auto [end, error] = std::from_chars(number.begin(), number.end(), result.value);
    if (error == std::errc::result_out_of_range)
        result.error = RunTimeError::Overflow;
    assert(error == std::errc() || error == std::errc::result_out_of_range);
    assert(end == number.end());
    return result;
}

} // namespace platform
