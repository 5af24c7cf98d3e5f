// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

class Form;

// The kinds of run-time error the program can meet.
enum class RunTimeError { TypeMismatch, Overflow, SubscriptOutOfRange };

// The kind of error as the user reads it.
std::string errorName(RunTimeError error);

// Tells the user about an error in a message box over the window; the program goes on.
void reportError(const Form *window, RunTimeError error, std::string_view detail);

// Stops the program's timers, reports the error and ends the program with a failure status.
void fatalError(RunTimeError error);

// Ends the program at once: every window's modal display ends and no further handler runs.
void endProgram(int status = 0);

// Tests take over ending the program and reporting errors, which would otherwise end or block
// the test itself. An empty function restores the program's own behaviour.
struct ProgramHooks
{
    std::function<void(int status)> endProgram;
    std::function<void(RunTimeError error, const std::string &detail)> reportError;
};
void setProgramHooks(ProgramHooks hooks);

} // namespace platform
