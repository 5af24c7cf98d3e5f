// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace platform {

// The next number of the process's random generator, uniform in [0, 1). The generator is seeded
// once, from the system's entropy, when it is first used.
double randomNext();

} // namespace platform
