// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

namespace platform {

// Keeps the screen on for as long as it lives: no screen saver, no dimming, blanking or locking
// of the session for being idle. It asks the system, and the desktop where there is one, as a
// video player does; where nothing answers, or the answer is no, the screen is left as it is and
// nothing is said. Sleep of the whole machine is not asked about apart: a screen that stays on
// keeps most machines awake.
class ScreenAwake
{
public:
    ScreenAwake();
    ~ScreenAwake();
    ScreenAwake(const ScreenAwake &) = delete;
    ScreenAwake &operator=(const ScreenAwake &) = delete;

    struct Native;

private:
    std::unique_ptr<Native> m_native;
};

} // namespace platform
