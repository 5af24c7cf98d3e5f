// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win32/win32_platform.h"

#include <algorithm>
#include <commctrl.h>

namespace platform {

const wchar_t pictureClass[] = L"LezomatPicture";

// A font the system cannot make leaves the control in the system's own font.
static FontHandle makeFont(Font font, int dpi)
{
    LOGFONTW description {};
    description.lfHeight = -MulDiv(font.pointSize, dpi, 72);
    description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = CLEARTYPE_QUALITY;
    wcsncpy(description.lfFaceName, wide(font.family).c_str(), LF_FACESIZE - 1);
    return FontHandle(CreateFontIndirectW(&description));
}

NativeControl *controlOf(HWND window)
{
    return reinterpret_cast<NativeControl *>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

NativeControl::NativeControl(Form &form, Kind kind, const wchar_t *windowClass, DWORD style,
                             DWORD extendedStyle, std::string_view text, Twips where, Font font)
    : form(form.native())
    , kind(kind)
    , where(where)
    , font(font)
{
    window.reset(CreateWindowExW(extendedStyle, windowClass, wide(text).c_str(),
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0,
                                 this->form.window.get(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(this->form.nextId++)),
                                 GetModuleHandleW(nullptr), nullptr));
    if (!window)
        systemFailure("CreateWindowExW");
    SetWindowLongPtrW(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    this->form.controls.push_back(this);
    layOut();
}

NativeControl::~NativeControl()
{
    std::erase(form.controls, this);
}

void NativeControl::layOut()
{
    SetWindowPos(window.get(), nullptr, form.pixels(where.left), form.pixels(where.top),
                 form.pixels(where.width), form.pixels(where.height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    hFont = makeFont(font, form.dpi);
    SendMessageW(window.get(), WM_SETFONT, reinterpret_cast<WPARAM>(hFont.get()), TRUE);
}

// Drawn from the top-left corner on the button face, or left blank while it has no picture.
LRESULT CALLBACK pictureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    FillRect(target, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
    const NativeControl *control = controlOf(window);
    if (const Picture *picture = control ? control->picture : nullptr; picture && picture->bitmap) {
        if (const DeviceContext source {CreateCompatibleDC(target)}) {
            const HGDIOBJ previous = SelectObject(source.get(), picture->bitmap);
            BitBlt(target, 0, 0, picture->size.cx, picture->size.cy, source.get(), 0, 0, SRCCOPY);
            SelectObject(source.get(), previous);
        }
    }
    EndPaint(window, &paint);
    return 0;
}

Control::Control(std::unique_ptr<NativeControl> native)
    : m_native(std::move(native))
{
}

Control::~Control() = default;

bool Control::isVisible() const
{
    return GetWindowLongPtrW(m_native->window.get(), GWL_STYLE) & WS_VISIBLE;
}

void Control::setVisible(bool visible)
{
    ShowWindow(m_native->window.get(), visible ? SW_SHOWNA : SW_HIDE);
}

void Control::setFocus()
{
    SetFocus(m_native->window.get());
}

static std::string windowText(HWND window)
{
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return narrow(text);
}

Label::Label(Form &form, const char *, std::string_view text, Twips where, Alignment alignment,
             Font font)
    : Control(std::make_unique<NativeControl>(
        form, NativeControl::Kind::Label, WC_STATICW,
        SS_NOPREFIX | (alignment == Alignment::Centre ? SS_CENTER : SS_LEFT), 0, text, where, font))
{
}

std::string Label::text() const
{
    return windowText(native().window.get());
}

void Label::setText(std::string_view text)
{
    SetWindowTextW(native().window.get(), wide(text).c_str());
}

TextField::TextField(Form &form, const char *, Twips where)
    : Control(std::make_unique<NativeControl>(form, NativeControl::Kind::TextField, WC_EDITW,
                                              ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                                              std::string_view(), where, formFont))
{
}

std::string TextField::text() const
{
    return windowText(native().window.get());
}

void TextField::setText(std::string_view text)
{
    SetWindowTextW(native().window.get(), wide(text).c_str());
}

void TextField::selectAll()
{
    SendMessageW(native().window.get(), EM_SETSEL, 0, -1);
}

Button::Button(Form &form, const char *, std::string_view caption, Twips where,
               std::function<void()> onClick)
    : Control(std::make_unique<NativeControl>(form, NativeControl::Kind::Button, WC_BUTTONW,
                                              BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP, 0, caption,
                                              where, formFont))
{
    native().onClick = std::move(onClick);
}

PictureBox::PictureBox(Form &form, const char *, const char *picture, Twips where)
    : Control(std::make_unique<NativeControl>(form, NativeControl::Kind::PictureBox, pictureClass,
                                              WS_TABSTOP, WS_EX_CLIENTEDGE, std::string_view(),
                                              where, formFont))
{
    native().picture = &platform::picture(picture);
}

} // namespace platform
