// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/web/web_platform.h"

namespace platform {

// A window of the page's own, shown modally over the others, with the text and a button OK that
// has the focus.
void showErrorBox(const Form *, std::string_view text)
{
    Form box("message_box", "Lezomat", 5400, 1920);
    const Label message(box, "message", text, {240, 240, 4920, 1020});
    Button ok(box, "ok", "OK", {3960, 1380, 1200, 375}, [&box] { box.hide(); });
    box.native().element.call<void>("setAttribute", std::string("role"),
                                    std::string("alertdialog"));
    box.setFocusOrder({&ok});
    box.showModal();
}

// The modal loops end by themselves once the program has ended.
void endEventLoops(int)
{
}

} // namespace platform
