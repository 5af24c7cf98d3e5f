// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any text typed into a settings field: the conversion never crashes, and its answer agrees with
// a plain reading of the digits.

#include "platform/numbers.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using platform::RunTimeError;

namespace {

// What the text should give, read digit by digit.
platform::Conversion expected(const QString &text)
{
    QStringView number = QStringView(text).trimmed();
    bool negative = false;
    if (number.startsWith(u'+') || number.startsWith(u'-')) {
        negative = number.front() == u'-';
        number = number.sliced(1);
    }
    if (number.isEmpty())
        return {0, RunTimeError::TypeMismatch};
    qint64 magnitude = 0;
    for (QChar digit : number) {
        if (digit < u'0' || digit > u'9')
            return {0, RunTimeError::TypeMismatch};
        magnitude = std::min<qint64>(magnitude * 10 + (digit.unicode() - u'0'), qint64(1) << 40);
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return {0, RunTimeError::Overflow};
    return {qint32(value), std::nullopt};
}

void check(const QString &text)
{
    const platform::Conversion got = platform::toInt32(text);
    const platform::Conversion want = expected(text);
    if (got.error != want.error || (!want.error && got.value != want.value))
        std::abort();
    if (!got.error && platform::toInt32(platform::numberText(got.value)).value != got.value)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto *bytes = reinterpret_cast<const char *>(data);
    check(QString::fromUtf8(bytes, qsizetype(size)));
    check(QString::fromLatin1(bytes, qsizetype(size)));
    return 0;
}
