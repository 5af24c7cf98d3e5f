// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/web/web_platform.h"

#include <emscripten.h>

namespace platform {

// The page's side of the queue. Everything here only notes what happened and wakes the waiter;
// the kinds of event are numbered as the program's Event::Kind. The page takes Tab, Shift+Tab
// and Alt with the letter of an access key of the window that takes the keys for itself, as a
// desktop window does, before the browser can act on them.
// clang-format off
EM_JS(void, listenToThePageJs, (int click, int close, int accessKey, int tab, int alarm,
                                int resize, int shown, int restart), {
    const page = {queue: [], wake: null, alarms: new Map(), settings: 0};
    Module.lezomatPage = page;
    page.push = (kind, target) => {
        page.queue.push([kind, target]);
        const wake = page.wake;
        page.wake = null;
        if (wake)
            wake();
    };
    page.alarmKind = alarm;

    document.addEventListener('click', event => {
        const box = event.target.closest('[data-close]');
        const control = event.target.closest('[data-control]');
        if (box)
            page.push(close, Number(box.dataset.close));
        else if (control && control.localName == 'button')
            page.push(click, Number(control.dataset.control));
        else if (event.target.closest('[data-restart]'))
            page.push(restart, 0);
    });
    document.addEventListener('keydown', event => {
        if (event.key == 'Tab' && !event.altKey && !event.ctrlKey && !event.metaKey) {
            event.preventDefault();
            page.push(tab, event.shiftKey ? 1 : 0);
        } else if (event.altKey && !event.ctrlKey && !event.metaKey && /^Key[A-Z]$/.test(event.code)) {
            const letter = event.code.toLowerCase().charAt(3);
            if (!(document.documentElement.dataset.accessKeys || "").includes(letter))
                return;
            event.preventDefault();
            page.push(accessKey, letter.charCodeAt(0));
        }
    }, true);
    addEventListener('resize', () => page.push(resize, 0));
    document.addEventListener('visibilitychange', () => {
        if (document.visibilityState == 'visible')
            page.push(shown, 0);
    });

    // A timeout set from inside another counts as nested, and browsers hold one nested five deep
    // to at least 4 ms: each alarm is set from a message of its own, which starts the nesting
    // anew. Each setting has a number, so that a message for an earlier one sets nothing.
    const channel = new MessageChannel();
    channel.port1.onmessage = message => {
        const [id, setting] = message.data;
        const wait = page.alarms.get(id);
        if (!wait || wait.setting != setting)
            return;
        wait.timeout = setTimeout(() => {
            page.alarms.delete(id);
            page.push(alarm, id);
        }, wait.milliseconds);
    };
    page.channel = channel.port2;
});

EM_ASYNC_JS(int, nextPageEventJs, (), {
    const page = Module.lezomatPage;
    while (page.queue.length == 0)
        await new Promise(resolve => page.wake = resolve);
    const [kind, target] = page.queue.shift();
    return kind << 24 | target;
});

EM_JS(void, cancelPageAlarmJs, (int id), {
    const page = Module.lezomatPage;
    const wait = page.alarms.get(id);
    if (wait)
        clearTimeout(wait.timeout);
    page.alarms.delete(id);
    page.queue = page.queue.filter(([kind, target]) => kind != page.alarmKind || target != id);
});

EM_JS(void, setPageAlarmJs, (int id, int milliseconds), {
    const page = Module.lezomatPage;
    const setting = ++page.settings;
    page.alarms.set(id, {milliseconds, setting, timeout: 0});
    page.channel.postMessage([id, setting]);
});
// clang-format on

void listenToThePage()
{
    using Kind = Event::Kind;
    listenToThePageJs(int(Kind::Click), int(Kind::Close), int(Kind::AccessKey), int(Kind::Tab),
                      int(Kind::Alarm), int(Kind::Resize), int(Kind::Shown), int(Kind::Restart));
}

void setPageAlarm(int id, int milliseconds)
{
    cancelPageAlarmJs(id);
    setPageAlarmJs(id, milliseconds);
}

void cancelPageAlarm(int id)
{
    cancelPageAlarmJs(id);
}

static Event nextEvent()
{
    const int packed = nextPageEventJs();
    return {Event::Kind(packed >> 24), packed & 0xffffff};
}

static void dispatch(const Event &event)
{
    switch (event.kind) {
    case Event::Kind::Click:
        clickControl(event.target);
        break;
    case Event::Kind::Close:
        closeForm(event.target);
        break;
    case Event::Kind::AccessKey:
        pressAccessKey(char(event.target));
        break;
    case Event::Kind::Tab:
        moveFocus(event.target == 1);
        break;
    case Event::Kind::Alarm:
        ringAlarm(event.target);
        break;
    case Event::Kind::Resize:
        fitTheViews();
        break;
    case Event::Kind::Shown:
        pageShownAgain();
        break;
    case Event::Kind::Restart:
        break;
    }
}

void runEventsUntil(const std::function<bool()> &done)
{
    while (!done() && !programEnded())
        dispatch(nextEvent());
}

void waitForTheRestart()
{
    while (nextEvent().kind != Event::Kind::Restart) { }
}

} // namespace platform
