// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/module1.h"

#include "core/shared_state.h"
#include "settings_window/frm_hoofd.h"

namespace Module1 {

void Main()
{
    SharedState state;
    frm_hoofd settings(state);
    settings.showModal();
}

} // namespace Module1
