// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/items.h"

#include "platform/program.h"

std::string_view item(int index)
{
    if (index < 0 || index >= int(items.size())) {
        platform::fatalError(platform::RunTimeError::SubscriptOutOfRange);
        return {};
    }
    return items[index];
}
