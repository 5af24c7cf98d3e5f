// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The page's DOM behind the program's windows and controls, section by section with the file of
// platform/web/ that defines it. application.cpp starts the program and shows the page's end;
// alarm.cpp and program.cpp implement what platform/toolkit.h asks of a toolkit.

#include "platform/forms.h"
#include "platform/toolkit.h"

#include <emscripten/val.h>
#include <functional>
#include <string>
#include <vector>

namespace platform {

using emscripten::val;

// --- events.cpp ---

// What happened on the page. The page's listeners and timers only queue these and wake the one
// waiter; the program takes them one at a time in its modal loops, so that nothing of the
// program runs from inside a listener.
struct Event
{
    enum class Kind { Click, Close, AccessKey, Tab, Alarm, Resize, Shown, Restart };
    Kind kind;
    int target; // the control, the form or the alarm; the access key's letter; 1 for Shift+Tab
};

// Registers the page's listeners; once, before the first window opens.
void listenToThePage();

// Takes the events one at a time and hands each to what it is for, until done() holds or the
// program has ended. This is the modal loop of every window: it waits for the next event, and a
// handler that shows another window modally runs a loop of its own inside it.
void runEventsUntil(const std::function<bool()> &done);

// Once the program has ended: waits until the page's button to start again is pressed.
void waitForTheRestart();

// Gives the page's alarm of that id a new wait, or takes it away; an event of the alarm that
// was queued before goes with it.
void setPageAlarm(int id, int milliseconds);
void cancelPageAlarm(int id);

// --- Numbered things (here) ---

// The page's events name controls, forms and alarms by a number of their own.
template<typename Thing> class Numbered
{
public:
    int add(Thing *thing)
    {
        m_things.push_back(thing);
        return int(m_things.size()) - 1;
    }
    void remove(int number) { m_things[size_t(number)] = nullptr; }
    Thing *find(int number) const
    {
        return number >= 0 && size_t(number) < m_things.size() ? m_things[size_t(number)] : nullptr;
    }

private:
    std::vector<Thing *> m_things;
};

// --- forms.cpp ---

struct NativeControl
{
    NativeControl(Form &form, const char *tag, const char *name, Twips where);
    NativeControl(const NativeControl &) = delete;
    NativeControl &operator=(const NativeControl &) = delete;
    ~NativeControl();

    NativeForm &form;
    val element;
    int number;
    std::function<void()> onClick; // buttons
    char accessKey = 0; // buttons with one, in lower case
};

struct NativeForm
{
    // The client area's size is given in twips.
    NativeForm(Form &form, const char *name, std::string_view caption, int width, int height);
    NativeForm(const NativeForm &) = delete;
    NativeForm &operator=(const NativeForm &) = delete;
    ~NativeForm();

    // Scales the window down in proportion where the page's view is smaller than the window.
    void fitTheView();

    Form &form;
    val element;
    val client;
    int number;
    std::vector<NativeControl *> controls;
    std::vector<NativeControl *> focusOrder;
};

// What the events are for.
void clickControl(int number);
void closeForm(int number);
void pressAccessKey(char letter);
void moveFocus(bool backwards);
void fitTheViews();

// --- alarm.cpp ---

void ringAlarm(int number);

// --- screen.cpp ---

// The page is shown again after it was hidden.
void pageShownAgain();

} // namespace platform
