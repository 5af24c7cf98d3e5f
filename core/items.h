// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <string_view>

// Entries 1 to 16 are the vowels the exercise shows: the five single vowels, then the eleven
// two-letter ones. Entries 17 to 20 hold their own number and are never drawn while item_count is
// 16; entry 0 stays empty.
inline constexpr std::array<std::string_view, 21> items = {
    "",   "a",  "e",  "i",  "o",  "u",  "ui", "eu", "aa", "oo", "ie",
    "ei", "au", "ee", "uu", "ij", "ou", "17", "18", "19", "20",
};

// The entry at index; an index outside the table is a fatal run-time error.
std::string_view item(int index);
