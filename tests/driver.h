// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the end-to-end test does to the real program and reads back from its windows, wherever
// they are: X windows (the Linux program, and the Windows program under Wine) or the windows of
// the browser edition's page.

#include <QElapsedTimer>
#include <QList>
#include <QRect>
#include <QString>
#include <QTest>
#include <functional>

// A window of the program's, as the place it is shown names it; empty for none.
using Window = QString;

inline bool waitFor(const std::function<bool()> &condition, int milliseconds = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.hasExpired(milliseconds))
            return false;
        QTest::qSleep(20);
    }
    return true;
}

class Driver
{
public:
    virtual ~Driver() = default;

    // Starts the program afresh, and stops it.
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool running() = 0;
    // Waits until the program has ended, and tells whether it did with that status.
    virtual bool endsWith(int status) = 0;

    // The shown windows with this exact title.
    virtual QList<Window> shownWindows(const QString &title) = 0;
    // The client area, in the coordinates of the screen or the page's view.
    virtual QRect geometry(const Window &window) = 0;
    // Whether a window's client area is centred where the program's windows open.
    virtual bool isCentred(QRect client) = 0;

    // Keys are named as xdotool names them, blanks between them.
    virtual void pressKeys(const Window &window, const QString &keys) = 0;
    virtual void type(const Window &window, const QString &text) = 0;
    // Presses the close box of the window's frame.
    virtual void closeThroughFrame(const Window &window) = 0;

    // What the exercise window shows: the item's label, the ink of the item's text in it, the
    // reward picture.
    virtual bool itemShown(const Window &exercise) = 0;
    virtual bool inkShown(const Window &exercise) = 0;
    virtual bool pictureShown(const Window &exercise) = 0;

    Window waitForWindow(const QString &title)
    {
        QList<Window> windows;
        waitFor([&] { return !(windows = shownWindows(title)).isEmpty(); });
        return windows.value(0);
    }
};
