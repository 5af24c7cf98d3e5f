// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace Module1 {

// The start-up routine: sets the shared values to their defaults and shows the settings window,
// returning when its modal display ends.
void Main();

} // namespace Module1
