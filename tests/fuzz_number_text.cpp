// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any text typed into a settings field: the conversion never crashes, and its answer agrees with
// a plain reading of the digits.

#include "platform/numbers.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>

using platform::RunTimeError;

namespace {

bool isWhiteSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// What the text should give, read character by character.
platform::Conversion expected(std::string_view number)
{
    while (!number.empty() && isWhiteSpace(number.front()))
        number.remove_prefix(1);
    while (!number.empty() && isWhiteSpace(number.back()))
        number.remove_suffix(1);
    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    if (number.empty())
        return {0, RunTimeError::TypeMismatch};
    std::int64_t magnitude = 0;
    for (char digit : number) {
        if (digit < '0' || digit > '9')
            return {0, RunTimeError::TypeMismatch};
        magnitude = std::min<std::int64_t>(magnitude * 10 + (digit - '0'), std::int64_t(1) << 40);
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    using limits = std::numeric_limits<std::int32_t>;
    if (value < limits::min() || value > limits::max())
        return {0, RunTimeError::Overflow};
    return {std::int32_t(value), std::nullopt};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const platform::Conversion got = platform::toInt32(text);
    const platform::Conversion want = expected(text);
    if (got.error != want.error || (!want.error && got.value != want.value))
        std::abort();
    if (!got.error && platform::toInt32(platform::numberText(got.value)).value != got.value)
        std::abort();
    return 0;
}
