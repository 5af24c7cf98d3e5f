// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/program.h"

#include "platform/timer.h"
#include "platform/toolkit.h"

#include <cstdlib>
#include <utility>

namespace platform {

static ProgramHooks hooks;
static int programStatus = EXIT_SUCCESS;
static bool ended = false;

std::string errorName(RunTimeError error)
{
    switch (error) {
    case RunTimeError::TypeMismatch:
        return "Typen komen niet overeen";
    case RunTimeError::Overflow:
        return "Overloop";
    case RunTimeError::SubscriptOutOfRange:
        return "Subscript valt buiten bereik";
    }
    std::abort();
}

void reportError(const Form *window, RunTimeError error, std::string_view detail)
{
    if (hooks.reportError) {
        hooks.reportError(error, std::string(detail));
        return;
    }
    std::string text = errorName(error);
    if (!detail.empty())
        text.append("\n\n").append(detail);
    showErrorBox(window, text);
}

void fatalError(RunTimeError error)
{
    // Nothing of the program may run on behind the report.
    Timer::stopAll();
    reportError(nullptr, error, {});
    endProgram(EXIT_FAILURE);
}

void endProgram(int status)
{
    if (hooks.endProgram) {
        hooks.endProgram(status);
        return;
    }
    programStatus = status;
    ended = true;
    Timer::stopAll();
    endEventLoops(status);
}

bool programEnded()
{
    return ended;
}

int exitStatus()
{
    return programStatus;
}

void setProgramHooks(ProgramHooks newHooks)
{
    hooks = std::move(newHooks);
}

} // namespace platform
