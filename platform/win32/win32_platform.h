// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The Windows API behind the program's windows and controls, section by section with the file of
// platform/win32/ that defines it. application.cpp starts the program; alarm.cpp and program.cpp
// implement what platform/toolkit.h asks of a toolkit.

#include "platform/forms.h"
#include "platform/toolkit.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <ocidl.h>
#include <string>
#include <string_view>
#include <thread>
#include <type_traits>
#include <vector>
#include <windows.h>

namespace platform {

// --- Owners of the system's handles (here) ---

// Each handle the program makes has an owner that gives it back to the system.
template<typename Handle, auto release> struct Release
{
    void operator()(Handle handle) const { release(handle); }
};
template<typename Handle, auto release>
using Owner = std::unique_ptr<std::remove_pointer_t<Handle>, Release<Handle, release>>;

using WindowHandle = Owner<HWND, DestroyWindow>;
using KernelHandle = Owner<HANDLE, CloseHandle>;
using GlobalMemory = Owner<HGLOBAL, GlobalFree>;
using FontHandle = Owner<HFONT, DeleteObject>;
using IconHandle = Owner<HICON, DestroyIcon>;
using DeviceContext = Owner<HDC, DeleteDC>;

struct ComRelease
{
    void operator()(IUnknown *object) const { object->Release(); }
};
template<typename Interface> using ComPointer = std::unique_ptr<Interface, ComRelease>;

// --- program.cpp ---

// A call to the system that the program cannot do without has failed: the program says which, in
// a message box, and ends.
[[noreturn]] void systemFailure(const char *call);

// --- text.cpp ---

// Text crosses into the Windows API as UTF-16, and back as UTF-8.
std::wstring wide(std::string_view text);
std::string narrow(std::wstring_view text);

// --- pictures.cpp ---

// A picture of the program's resources, as the system's picture loader decoded it; one that is
// missing or cannot be decoded has no bitmap.
struct Picture
{
    ComPointer<IPicture> picture; // owns the bitmap
    HBITMAP bitmap = nullptr;
    SIZE size {};
};

// The picture of that name, loaded once and kept until the pictures are released, which only the
// end of the program does.
const Picture &picture(const char *name);
void releasePictures();

// --- controls.cpp ---

struct NativeControl
{
    enum class Kind { Label, TextField, Button, PictureBox };

    NativeControl(Form &form, Kind kind, const wchar_t *windowClass, DWORD style,
                  DWORD extendedStyle, std::string_view text, Twips where, Font font);
    NativeControl(const NativeControl &) = delete;
    NativeControl &operator=(const NativeControl &) = delete;
    ~NativeControl();

    // Places the control and sets its font at the window's resolution.
    void layOut();

    NativeForm &form;
    const Kind kind;
    const Twips where;
    const Font font;
    WindowHandle window;
    FontHandle hFont;
    std::function<void()> onClick; // buttons
    const Picture *picture = nullptr; // picture boxes
};

// The control behind a child window of the program's, if it is one.
NativeControl *controlOf(HWND window);

// The class of the picture boxes' windows, registered with the forms' class.
extern const wchar_t pictureClass[];
LRESULT CALLBACK pictureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// --- forms.cpp ---

struct NativeForm
{
    // The client area's size is given in twips.
    NativeForm(Form &form, std::string_view caption, int width, int height);
    NativeForm(const NativeForm &) = delete;
    NativeForm &operator=(const NativeForm &) = delete;

    // Pixels at the window's resolution for a length in twips.
    int pixels(int twips) const { return MulDiv(twips, dpi, 1440); }

    Form &form;
    WindowHandle window;
    int dpi = USER_DEFAULT_SCREEN_DPI;
    int background = COLOR_BTNFACE; // a system colour
    std::vector<NativeControl *> controls;
    HWND firstFocus = nullptr;
    HWND lastFocus = nullptr; // given back when the window is activated again
    int nextId = 100; // control ids; 1 and 2 are the dialog keys' IDOK and IDCANCEL
};

// --- alarm.cpp ---

// An alarm is a high-resolution waitable timer; the message loop rings it when it is due.
struct Alarm::Native
{
    KernelHandle timer;
    std::function<void()> ring;
};

// --- message_loop.cpp ---

// The program's message loop, and what it waits on besides the messages: the timers of the alarms
// that are set, each beside the alarm it rings.
//
// A loop of the system's (moving or sizing a window, a menu, a message box) dispatches the messages
// but knows nothing of the timers. While one runs, a thread of the program's waits on them instead
// and posts each alarm that is due to a window of the program's, which the system's loop
// dispatches: the alarm then rings on the user-interface thread, as punctually as in the
// program's own loop. The system's loops can nest, so they are counted.
class MessageLoop
{
public:
    static MessageLoop &instance();
    MessageLoop(const MessageLoop &) = delete;
    MessageLoop &operator=(const MessageLoop &) = delete;
    ~MessageLoop();

    // Dispatches the messages, with the dialog keys of the window, and rings the alarms that are
    // due, until the window is hidden, the program has ended or the message to quit has come.
    void runUntilHidden(HWND window);

    // An alarm joins the wait when it is set, again with each new setting, and leaves it when it
    // rings or is cancelled.
    void add(Alarm::Native &alarm);
    void remove(Alarm::Native &alarm);
    bool contains(const Alarm::Native &alarm) const;
    // An alarm that goes for good: no thread may wait on its timer any more.
    void forget(Alarm::Native &alarm);

    // A loop of the system's runs for as long as this lives.
    class SystemLoop
    {
    public:
        SystemLoop() { instance().enterSystemLoop(); }
        ~SystemLoop() { instance().leaveSystemLoop(); }
        SystemLoop(const SystemLoop &) = delete;
        SystemLoop &operator=(const SystemLoop &) = delete;
    };
    void enterSystemLoop();
    void leaveSystemLoop();

private:
    MessageLoop();
    static LRESULT CALLBACK ringerProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

    std::size_t find(const Alarm::Native &alarm) const;
    void ring(std::size_t index);
    void ringSetting(std::uint64_t setting);
    bool dispatchMessages(HWND window);
    void startWaiter();
    void stopWaiter();
    void tellWaiter();
    void waitForAlarms();

    // The timers of the alarms that are set, as the wait takes them, and beside each its alarm and
    // the number of its setting.
    std::vector<HANDLE> m_timers;
    std::vector<Alarm::Native *> m_alarms;
    std::vector<std::uint64_t> m_settings;
    std::uint64_t m_lastSetting = 0;
    int m_systemLoops = 0; // how deep the system's loops are nested

    // The waiter thread, while a loop of the system's runs, and what it shares with the
    // user-interface thread: its copy of the timers, and whether it is to stop.
    WindowHandle m_ringer; // receives the waiter's posts
    KernelHandle m_changed; // the timers changed, or the waiter is to stop
    std::mutex m_shared;
    std::vector<HANDLE> m_waiterTimers;
    std::vector<std::uint64_t> m_waiterSettings;
    bool m_stopWaiter = false;
    std::thread m_waiter;
};

} // namespace platform
