// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win32/win32_platform.h"

#include <cstdlib>

namespace platform {

void showErrorBox(const Form *window, std::string_view text)
{
    // Without a window to stand over, the box holds up every window of the program.
    const MessageLoop::SystemLoop box;
    MessageBoxW(window ? window->native().window.get() : nullptr, wide(text).c_str(), L"Lezomat",
                MB_OK | MB_ICONERROR | (window ? 0 : MB_TASKMODAL));
}

void endEventLoops(int status)
{
    PostQuitMessage(status);
}

void systemFailure(const char *call)
{
    const DWORD error = GetLastError();
    const std::wstring text = L"Lezomat kan niet verder: " + wide(call) + L" mislukte (fout "
        + std::to_wstring(error) + L").";
    MessageBoxW(nullptr, text.c_str(), L"Lezomat", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(EXIT_FAILURE);
}

} // namespace platform
