// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/numbers.h"

#include <algorithm>
#include <charconv>

namespace platform {

QString numberText(qint32 value)
{
    return QString::number(value);
}

static bool isDecimalNumber(QStringView text)
{
    if (text.startsWith(u'+') || text.startsWith(u'-'))
        text = text.sliced(1);
    return !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

Conversion toInt32(const QString &text)
{
    const QStringView number = QStringView(text).trimmed();
    if (!isDecimalNumber(number))
        return {0, RunTimeError::TypeMismatch};

    // from_chars takes no leading "+".
    const QByteArray digits = number.sliced(number.startsWith(u'+') ? 1 : 0).toLatin1();
    Conversion result;
    const auto [end, error] = std::from_chars(digits.begin(), digits.end(), result.value);
    if (error == std::errc::result_out_of_range)
        result.error = RunTimeError::Overflow;
    Q_ASSERT(error == std::errc() || error == std::errc::result_out_of_range);
    Q_ASSERT(end == digits.end());
    return result;
}

} // namespace platform
