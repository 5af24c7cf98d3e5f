// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/screen.h"

#include "platform/web/web_platform.h"

#include <emscripten.h>

namespace platform {

// The page's screen wake lock. The first request comes with the tap or key on Start, since iPads
// grant it only then; browsers drop the lock when the page is hidden, so it is asked for again
// when the page is shown. A browser without the API goes without.
// clang-format off
EM_JS(void, holdWakeLockJs, (), {
    const page = Module.lezomatPage;
    page.wakeLockWanted = true;
    if (!('wakeLock' in navigator))
        return;
    navigator.wakeLock.request('screen').then(lock => {
        if (page.wakeLockWanted)
            page.wakeLock = lock;
        else
            lock.release();
    }, () => {});
});

EM_JS(void, releaseWakeLockJs, (), {
    const page = Module.lezomatPage;
    page.wakeLockWanted = false;
    if (page.wakeLock)
        page.wakeLock.release();
    page.wakeLock = null;
});
// clang-format on

struct ScreenAwake::Native
{
};

static int awake = 0;

ScreenAwake::ScreenAwake()
    : m_native(std::make_unique<Native>())
{
    ++awake;
    holdWakeLockJs();
}

ScreenAwake::~ScreenAwake()
{
    if (--awake == 0)
        releaseWakeLockJs();
}

void pageShownAgain()
{
    if (awake > 0)
        holdWakeLockJs();
}

} // namespace platform
