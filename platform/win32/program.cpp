// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/native.h"
#include "platform/win32/native.h"

namespace platform {

static bool ended = false;

bool programEnded()
{
    return ended;
}

void showErrorBox(const Form *window, std::string_view text)
{
    // Without a window to stand over, the box holds up every window of the program.
    enterForeignLoop();
    MessageBoxW(window ? window->native().window : nullptr, wide(text).c_str(), L"Lezomat",
                MB_OK | MB_ICONERROR | (window ? 0 : MB_TASKMODAL));
    leaveForeignLoop();
}

void endEventLoops(int status)
{
    ended = true;
    PostQuitMessage(status);
}

} // namespace platform
