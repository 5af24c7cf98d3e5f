// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/forms.h"
#include "platform/screen.h"
#include "platform/timer.h"

struct SharedState;

// The exercise window: flashes one vowel at a time at the pace held in the shared state, with a
// pause and a smiling face after every series.
class frm_werk final : public platform::Form
{
public:
    explicit frm_werk(SharedState &state);

    // Handlers, in the order the program first runs them.
    void Form_Load();
    void Timer1_Timer();
    void Timer2_Timer();
    void Command2_Click();
    void Command1_Click();
    void cmd_exit_Click();
    void Form_Unload() override;

    platform::Label txt_string;
    platform::PictureBox Picture1;
    platform::Button Command2;
    platform::Button Command1;
    platform::Button cmd_exit;
    platform::Label Label4;
    platform::Label Label3;
    platform::Label Label5;
    platform::Label Label1;
    platform::Timer Timer1;
    platform::Timer Timer2;
    // Nobody touches the keyboard or the mouse while the exercise runs: the screen stays on for
    // as long as the window is there.
    platform::ScreenAwake screenAwake;

private:
    void next_step();
    void end_series();

    SharedState &m_state;
};
