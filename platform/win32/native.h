// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The Windows API's windows behind the program's windows and controls.

#include "platform/forms.h"

#include <functional>
#include <memory>
#include <ocidl.h>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>
#include <windows.h>

namespace platform {

// Text crosses into the Windows API as UTF-16, and back as UTF-8.
std::wstring wide(std::string_view text);
std::string narrow(std::wstring_view text);

// Owns a font.
struct GdiDeleter
{
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;

// A picture of the program's resources, as the system's picture loader decoded it.
struct Picture
{
    IPicture *picture = nullptr; // owns the bitmap
    HBITMAP bitmap = nullptr;
    SIZE size {};
};

struct NativeControl
{
    enum class Kind { Label, TextField, Button, PictureBox };

    NativeControl(Form &form, Kind kind, const wchar_t *windowClass, DWORD style,
                  DWORD extendedStyle, std::string_view text, Twips where, Font font);
    ~NativeControl();
    NativeControl(const NativeControl &) = delete;
    NativeControl &operator=(const NativeControl &) = delete;

    // Places the control and sets its font at the window's resolution.
    void layOut();

    NativeForm &form;
    const Kind kind;
    const Twips where;
    const Font font;
    HWND window = nullptr;
    FontHandle hFont;
    std::function<void()> onClick; // buttons
    const Picture *picture = nullptr; // picture boxes
};

struct NativeForm
{
    // The client area's size is given in twips.
    NativeForm(Form &form, std::string_view caption, int width, int height);
    ~NativeForm();
    NativeForm(const NativeForm &) = delete;
    NativeForm &operator=(const NativeForm &) = delete;

    // Pixels at the window's resolution for a length in twips.
    int pixels(int twips) const { return MulDiv(twips, dpi, 1440); }

    Form &form;
    HWND window = nullptr;
    int dpi = USER_DEFAULT_SCREEN_DPI;
    int background = COLOR_BTNFACE; // a system colour
    std::vector<NativeControl *> controls;
    HWND firstFocus = nullptr;
    HWND lastFocus = nullptr; // given back when the window is activated again
    int nextId = 100; // control ids; 1 and 2 are the dialog keys' IDOK and IDCANCEL
};

// The program's windows end their modal displays and no handler runs once it has ended.
bool programEnded();

// The waitable timers of the alarms that are set, for the message loop to wait on; and the ring
// of the alarm whose timer is due.
const std::vector<HANDLE> &setAlarms();
void ringAlarm(HANDLE timer);

// While a message loop of the system's runs instead of the program's, alarms ring through it.
void enterForeignLoop();
void leaveForeignLoop();

} // namespace platform
