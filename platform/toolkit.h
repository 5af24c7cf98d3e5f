// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Between the platform's shared code and the toolkit it runs on: what each toolkit implements for
// the shared code, and what the shared code tells the toolkits. No window includes this; the
// windows use the public headers beside it.

#include <chrono>
#include <functional>
#include <memory>
#include <string_view>

namespace platform {

class Form;

// Implemented by each toolkit.

// A message box over the window (or over none) that tells of an error, waited out.
void showErrorBox(const Form *window, std::string_view text);

// Ends every running event loop, the modal displays' too.
void endEventLoops(int status);

// A one-shot wait on the user-interface thread: rings once, a whole number of milliseconds
// after it is set, unless it is cancelled or set anew first.
class Alarm
{
public:
    explicit Alarm(std::function<void()> ring);
    ~Alarm();
    Alarm(const Alarm &) = delete;
    Alarm &operator=(const Alarm &) = delete;

    void set(std::chrono::milliseconds wait);
    void cancel();
    bool isSet() const;

    struct Native;

private:
    std::unique_ptr<Native> m_native;
};

// Defined by the shared code (program.cpp).

// Whether the program has ended: its windows' modal displays end and no handler runs any more.
bool programEnded();

// The status the program ended with, for main() to return.
int exitStatus();

} // namespace platform
