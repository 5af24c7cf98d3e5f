// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/application.h"

#include "platform/web/web_platform.h"

namespace platform {

// A page cannot close its tab: once the program has ended and its windows are gone, the page
// says so and offers to start again, which loads the page anew. The status the program ended
// with is on the page for tools that drive it.
static void showTheEnd(int status)
{
    val document = val::global("document");
    val end = document.call<val>("createElement", std::string("main"));
    end.set("className", std::string("ended"));
    end["dataset"].set("status", status);
    val line = document.call<val>("createElement", std::string("p"));
    line.set("textContent", std::string("Lezomat is afgesloten."));
    val again = document.call<val>("createElement", std::string("button"));
    again.set("type", std::string("button"));
    again["dataset"].set("restart", true);
    again.set("textContent", std::string("Opnieuw beginnen"));
    end.call<void>("append", line, again);
    document["body"].call<void>("append", end);
    again.call<void>("focus");
}

// A page has no command line; the identity is the page's own.
int run(int, char *[], const Identity &, void (*start)())
{
    listenToThePage();
    start();
    showTheEnd(exitStatus());
    waitForTheRestart();
    val::global("location").call<void>("reload");
    return exitStatus();
}

} // namespace platform
