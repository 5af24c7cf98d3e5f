// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

namespace platform {

// What the program tells about itself: on the command line, and to the desktop, which finds its
// desktop entry and its icon under desktopId.
struct Identity
{
    const char *name;
    const char *version;
    const char *desktopId;
    const char *help; // the text of --help, after its first line
};

// Runs the program: answers --help and --version without opening a display, opens the display
// and runs start, which returns when the program ends. Any other arguments are the toolkit's.
// Without a display to open it says so in one line and ends with a failure status.
int run(int argc, char *argv[], const Identity &identity, void (*start)());

// Prints the answer to --help or --version where one is asked, and gives the status to end with.
std::optional<int> answerCommandLine(int argc, char *argv[], const Identity &identity);

} // namespace platform
