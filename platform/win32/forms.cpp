// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win32/native.h"

#include <algorithm>
#include <commctrl.h>
#include <map>
#include <ocidl.h>
#include <olectl.h>

namespace platform {

namespace {

constexpr wchar_t formClass[] = L"LezomatForm";
constexpr wchar_t pictureClass[] = L"LezomatPicture";
constexpr int iconResource = 1;

FontHandle makeFont(Font font, int dpi)
{
    LOGFONTW description {};
    description.lfHeight = -MulDiv(font.pointSize, dpi, 72);
    description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = CLEARTYPE_QUALITY;
    wcsncpy(description.lfFaceName, wide(font.family).c_str(), LF_FACESIZE - 1);
    return FontHandle(CreateFontIndirectW(&description));
}

NativeForm *formOf(HWND window)
{
    return reinterpret_cast<NativeForm *>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

NativeControl *controlOf(HWND window)
{
    return reinterpret_cast<NativeControl *>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void onDpiChanged(NativeForm &form, int dpi, const RECT &suggested)
{
    form.dpi = dpi;
    SetWindowPos(form.window, nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    for (NativeControl *control : form.controls)
        control->layOut();
    InvalidateRect(form.window, nullptr, TRUE);
}

// Enter reaches the window as the dialog key IDOK, since no button is its default: it presses
// the focused button, if a button has the focus. Escape, IDCANCEL, does nothing.
void onDialogKey(NativeForm &form, int id)
{
    HWND focus = GetFocus();
    if (id != IDOK || !focus || GetParent(focus) != form.window)
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
        form->form.Form_Unload();
        form->form.hide();
        return 0;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(form->background));
        return 1;
    }
    case WM_CTLCOLORSTATIC:
        // Labels are opaque in the button-face colour whatever the window's own background.
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_ACTIVATE:
        // A window that is not a dialog keeps no focus of its own: it is handed back by hand.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && GetParent(focus) == window)
                form->lastFocus = focus;
        } else if (form->lastFocus) {
            SetFocus(form->lastFocus);
            return 0;
        }
        break;
    case WM_ENTERSIZEMOVE:
    case WM_ENTERMENULOOP:
        enterForeignLoop();
        break;
    case WM_EXITSIZEMOVE:
    case WM_EXITMENULOOP:
        leaveForeignLoop();
        break;
    case WM_DPICHANGED:
        onDpiChanged(*form, HIWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A picture of the program's resources, decoded by the system's picture loader.
Picture loadPicture(const wchar_t *name)
{
    Picture loaded;
    HRSRC found = FindResourceW(nullptr, name, RT_RCDATA);
    if (!found)
        return loaded;
    const DWORD size = SizeofResource(nullptr, found);
    const void *data = LockResource(LoadResource(nullptr, found));
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!data || !copy)
        return loaded;
    std::copy_n(static_cast<const char *>(data), size, static_cast<char *>(GlobalLock(copy)));
    GlobalUnlock(copy);
    IStream *stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
        GlobalFree(copy);
        return loaded;
    }
    OleLoadPicture(stream, LONG(size), FALSE, IID_IPicture,
                   reinterpret_cast<void **>(&loaded.picture));
    stream->Release();
    OLE_HANDLE handle = 0;
    if (loaded.picture && SUCCEEDED(loaded.picture->get_Handle(&handle))) {
        loaded.bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
        BITMAP bitmap {};
        GetObjectW(loaded.bitmap, sizeof bitmap, &bitmap);
        loaded.size = {bitmap.bmWidth, bitmap.bmHeight};
    }
    return loaded;
}

// Pictures live as long as the program.
const Picture &picture(const char *name)
{
    static std::map<std::string, Picture, std::less<>> pictures;
    auto found = pictures.find(name);
    if (found == pictures.end())
        found = pictures.emplace(name, loadPicture(wide(name).c_str())).first;
    return found->second;
}

LRESULT CALLBACK pictureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    FillRect(target, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
    if (const Picture *picture = controlOf(window)->picture; picture && picture->bitmap) {
        HDC source = CreateCompatibleDC(target);
        HGDIOBJ previous = SelectObject(source, picture->bitmap);
        BitBlt(target, 0, 0, picture->size.cx, picture->size.cy, source, 0, 0, SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
    }
    EndPaint(window, &paint);
    return 0;
}

void registerClasses()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW form {};
    form.cbSize = sizeof form;
    form.lpfnWndProc = formProcedure;
    form.hInstance = instance;
    form.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconResource), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXICON),
                                               GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    form.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconResource),
                                                 IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.lpszClassName = formClass;
    RegisterClassExW(&form);

    WNDCLASSEXW picture {};
    picture.cbSize = sizeof picture;
    picture.lpfnWndProc = pictureProcedure;
    picture.hInstance = instance;
    picture.hCursor = form.hCursor;
    picture.lpszClassName = pictureClass;
    RegisterClassExW(&picture);
}

} // namespace

std::wstring wide(std::string_view text)
{
    std::wstring converted(text.size(), L'\0');
    converted.resize(size_t(MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()),
                                                converted.data(), int(converted.size()))));
    return converted;
}

std::string narrow(std::wstring_view text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string converted(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), converted.data(), size, nullptr,
                        nullptr);
    return converted;
}

NativeForm::NativeForm(Form &form, std::string_view caption, int width, int height)
    : form(form)
{
    registerClasses();
    constexpr DWORD style = WS_OVERLAPPEDWINDOW;
    window = CreateWindowExW(0, formClass, wide(caption).c_str(), style, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                             GetModuleHandleW(nullptr), this);
    dpi = int(GetDpiForWindow(window));

    // Centred in the work area of the screen the window opens on.
    RECT frame {0, 0, pixels(width), pixels(height)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, 0, UINT(dpi));
    MONITORINFO monitor {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT &work = monitor.rcWork;
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, work.left + (work.right - work.left - frameWidth) / 2,
                 work.top + (work.bottom - work.top - frameHeight) / 2, frameWidth, frameHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

NativeForm::~NativeForm()
{
    DestroyWindow(window);
}

NativeControl::NativeControl(Form &form, Kind kind, const wchar_t *windowClass, DWORD style,
                             DWORD extendedStyle, std::string_view text, Twips where, Font font)
    : form(form.native())
    , kind(kind)
    , where(where)
    , font(font)
{
    window = CreateWindowExW(extendedStyle, windowClass, wide(text).c_str(),
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0,
                             this->form.window,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(this->form.nextId++)),
                             GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    this->form.controls.push_back(this);
    layOut();
}

NativeControl::~NativeControl()
{
    std::erase(form.controls, this);
    DestroyWindow(window);
}

void NativeControl::layOut()
{
    SetWindowPos(window, nullptr, form.pixels(where.left), form.pixels(where.top),
                 form.pixels(where.width), form.pixels(where.height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    hFont = makeFont(font, form.dpi);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(hFont.get()), TRUE);
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
    HWND window = m_native->window;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    if (m_native->firstFocus && !m_native->lastFocus)
        SetFocus(m_native->firstFocus);
    // Access keys are underlined from the start, not only once Alt is pressed.
    SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);

    while (IsWindowVisible(window)) {
        const std::vector<HANDLE> &alarms = setAlarms();
        const DWORD woke = MsgWaitForMultipleObjectsEx(DWORD(alarms.size()), alarms.data(),
                                                       INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke < WAIT_OBJECT_0 + alarms.size()) {
            ringAlarm(alarms[woke - WAIT_OBJECT_0]);
            continue;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // The program ends: the loops this one runs inside end too.
                PostQuitMessage(int(message.wParam));
                return;
            }
            // The dialog keys are keyboard messages; the rest go straight on.
            const bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
            if (!key || !IsDialogMessageW(window, &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }
}

void Form::hide()
{
    ShowWindow(m_native->window, SW_HIDE);
}

bool Form::isVisible() const
{
    return IsWindowVisible(m_native->window);
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
        HWND window = control->native().window;
        SetWindowPos(window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_TABSTOP);
        previous = window;
    }
    m_native->firstFocus = (*controls.begin())->native().window;
}

Control::Control(std::unique_ptr<NativeControl> native)
    : m_native(std::move(native))
{
}

Control::~Control() = default;

bool Control::isVisible() const
{
    return GetWindowLongPtrW(m_native->window, GWL_STYLE) & WS_VISIBLE;
}

void Control::setVisible(bool visible)
{
    ShowWindow(m_native->window, visible ? SW_SHOWNA : SW_HIDE);
}

void Control::setFocus()
{
    SetFocus(m_native->window);
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
    return windowText(native().window);
}

void Label::setText(std::string_view text)
{
    SetWindowTextW(native().window, wide(text).c_str());
}

TextField::TextField(Form &form, const char *, Twips where)
    : Control(std::make_unique<NativeControl>(form, NativeControl::Kind::TextField, WC_EDITW,
                                              ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                                              std::string_view(), where, formFont))
{
}

std::string TextField::text() const
{
    return windowText(native().window);
}

void TextField::setText(std::string_view text)
{
    SetWindowTextW(native().window, wide(text).c_str());
}

void TextField::selectAll()
{
    SendMessageW(native().window, EM_SETSEL, 0, -1);
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
