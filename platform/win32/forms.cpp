// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win32/win32_platform.h"

namespace platform {

namespace {

constexpr wchar_t formClass[] = L"LezomatForm";
constexpr int iconResource = 1;

NativeForm *formOf(HWND window)
{
    return reinterpret_cast<NativeForm *>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void onDpiChanged(NativeForm &form, int dpi, const RECT &suggested)
{
    form.dpi = dpi;
    SetWindowPos(form.window.get(), nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    for (NativeControl *control : form.controls)
        control->layOut();
    InvalidateRect(form.window.get(), nullptr, TRUE);
}

// Enter reaches the window as the dialog key IDOK, since no button is its default: it presses
// the focused button, if a button has the focus. Escape, IDCANCEL, does nothing.
void onDialogKey(NativeForm &form, int id)
{
    HWND focus = GetFocus();
    if (id != IDOK || !focus || GetParent(focus) != form.window.get())
        return;
    if (const NativeControl *control = controlOf(focus);
        control && control->kind == NativeControl::Kind::Button)
        SendMessageW(focus, BM_CLICK, 0, 0);
}

void onCommand(NativeForm &form, WPARAM wParam, LPARAM lParam)
{
    if (programEnded())
        return;
    if (lParam == 0) {
        onDialogKey(form, LOWORD(wParam));
        return;
    }
    NativeControl *control = controlOf(reinterpret_cast<HWND>(lParam));
    if (control && control->onClick && HIWORD(wParam) == BN_CLICKED)
        control->onClick();
}

void onClose(NativeForm &form)
{
    form.form.Form_Unload();
    form.form.hide();
}

LRESULT onEraseBackground(const NativeForm &form, HDC target)
{
    RECT client;
    GetClientRect(form.window.get(), &client);
    FillRect(target, &client, GetSysColorBrush(form.background));
    return 1;
}

// Labels are opaque in the button-face colour whatever the window's own background.
LRESULT onLabelColour(HDC target)
{
    SetBkColor(target, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// A window that is not a dialog keeps no focus of its own: it is handed back by hand. True when
// the focus has been given back.
bool onActivate(NativeForm &form, WORD state)
{
    if (state == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && GetParent(focus) == form.window.get())
            form.lastFocus = focus;
        return false;
    }
    if (!form.lastFocus)
        return false;
    SetFocus(form.lastFocus);
    return true;
}

// The system commands that run a loop of the system's until they are done: moving and sizing the
// window, and its menu.
bool runsSystemLoop(WPARAM command)
{
    switch (command & 0xfff0) {
    case SC_MOVE:
    case SC_SIZE:
    case SC_KEYMENU:
    case SC_MOUSEMENU:
        return true;
    }
    return false;
}

LRESULT CALLBACK formProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto *creation = reinterpret_cast<CREATESTRUCTW *>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    NativeForm *form = formOf(window);
    if (!form)
        return DefWindowProcW(window, message, wParam, lParam);

    switch (message) {
    case WM_COMMAND:
        onCommand(*form, wParam, lParam);
        return 0;
    case WM_CLOSE:
        onClose(*form);
        return 0;
    case WM_ERASEBKGND:
        return onEraseBackground(*form, reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORSTATIC:
        return onLabelColour(reinterpret_cast<HDC>(wParam));
    case WM_ACTIVATE:
        if (onActivate(*form, LOWORD(wParam)))
            return 0;
        break;
    case WM_SYSCOMMAND:
        if (runsSystemLoop(wParam)) {
            const MessageLoop::SystemLoop running;
            return DefWindowProcW(window, message, wParam, lParam);
        }
        break;
    // A menu of the system's can also open without a system command: the window menu from a
    // right-click on the title bar.
    case WM_ENTERMENULOOP:
        MessageLoop::instance().enterSystemLoop();
        break;
    case WM_EXITMENULOOP:
        MessageLoop::instance().leaveSystemLoop();
        break;
    case WM_DPICHANGED:
        onDpiChanged(*form, HIWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HICON classIcon(int metricX, int metricY)
{
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconResource),
                                         IMAGE_ICON, GetSystemMetrics(metricX),
                                         GetSystemMetrics(metricY), LR_DEFAULTCOLOR));
}

void registerClasses()
{
    // The classes, with their icons, are the program's for as long as it runs.
    static const IconHandle icon {classIcon(SM_CXICON, SM_CYICON)};
    static const IconHandle smallIcon {classIcon(SM_CXSMICON, SM_CYSMICON)};
    static bool registered = false;
    if (registered)
        return;
    registered = true;

    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW form {};
    form.cbSize = sizeof form;
    form.lpfnWndProc = formProcedure;
    form.hInstance = instance;
    form.hIcon = icon.get();
    form.hIconSm = smallIcon.get();
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.lpszClassName = formClass;
    if (!RegisterClassExW(&form))
        systemFailure("RegisterClassExW");

    WNDCLASSEXW picture {};
    picture.cbSize = sizeof picture;
    picture.lpfnWndProc = pictureProcedure;
    picture.hInstance = instance;
    picture.hCursor = form.hCursor;
    picture.lpszClassName = pictureClass;
    if (!RegisterClassExW(&picture))
        systemFailure("RegisterClassExW");
}

} // namespace

NativeForm::NativeForm(Form &form, std::string_view caption, int width, int height)
    : form(form)
{
    registerClasses();
    constexpr DWORD style = WS_OVERLAPPEDWINDOW;
    window.reset(CreateWindowExW(0, formClass, wide(caption).c_str(), style, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), this));
    if (!window)
        systemFailure("CreateWindowExW");
    dpi = int(GetDpiForWindow(window.get()));

    // Centred in the work area of the screen the window opens on.
    RECT frame {0, 0, pixels(width), pixels(height)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, 0, UINT(dpi));
    MONITORINFO monitor {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window.get(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT &work = monitor.rcWork;
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;
    SetWindowPos(window.get(), nullptr, work.left + (work.right - work.left - frameWidth) / 2,
                 work.top + (work.bottom - work.top - frameHeight) / 2, frameWidth, frameHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The names of windows and controls are for finding them by name, which only the Qt build's tests
// do.
Form::Form(const char *, std::string_view caption, int clientWidth, int clientHeight)
    : m_native(std::make_unique<NativeForm>(*this, caption, clientWidth, clientHeight))
{
}

Form::~Form() = default;

void Form::showModal()
{
    HWND window = m_native->window.get();
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    if (m_native->firstFocus && !m_native->lastFocus)
        SetFocus(m_native->firstFocus);
    // Access keys are underlined from the start, not only once Alt is pressed.
    SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
    MessageLoop::instance().runUntilHidden(window);
}

void Form::hide()
{
    ShowWindow(m_native->window.get(), SW_HIDE);
}

bool Form::isVisible() const
{
    return IsWindowVisible(m_native->window.get());
}

void Form::useActiveBorderColour()
{
    m_native->background = COLOR_ACTIVEBORDER;
}

// The dialog keys move the focus through the controls in their order from the top.
void Form::setFocusOrder(std::initializer_list<Control *> controls)
{
    HWND previous = HWND_TOP;
    for (Control *control : controls) {
        HWND window = control->native().window.get();
        SetWindowPos(window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_TABSTOP);
        previous = window;
    }
    if (controls.size() != 0)
        m_native->firstFocus = (*controls.begin())->native().window.get();
}

} // namespace platform
