// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringView>
#include <array>

// Entries 1 to 16 are the vowels the exercise shows: the five single vowels, then the eleven
// two-letter ones. Entries 17 to 20 hold their own number and are never drawn while item_count is
// 16; entry 0 stays empty.
inline constexpr std::array<QStringView, 21> items = {
    u"",   u"a",  u"e",  u"i",  u"o",  u"u",  u"ui", u"eu", u"aa", u"oo", u"ie",
    u"ei", u"au", u"ee", u"uu", u"ij", u"ou", u"17", u"18", u"19", u"20",
};

// The entry at index; an index outside the table is a fatal run-time error.
QStringView item(int index);
