// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/application.h"

#include "platform/win32/win32_platform.h"

#include <commctrl.h>
#include <objbase.h>

namespace platform {

// The display is the desktop's, always there; the manifest makes the program aware of each
// monitor's resolution and asks for the common controls' current look.
int run(int argc, char *argv[], const Identity &identity, void (*start)())
{
    if (const auto answered = answerCommandLine(argc, argv, identity))
        return *answered;

    const INITCOMMONCONTROLSEX controls {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // The picture loader is part of OLE.
    const HRESULT ole = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    start();
    // The pictures go before the library of their loader.
    releasePictures();
    if (SUCCEEDED(ole))
        CoUninitialize();
    return exitStatus();
}

} // namespace platform
