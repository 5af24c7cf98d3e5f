// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/forms.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

class frm_werk;
struct SharedState;

// The settings window: takes the start interval and the acceleration, then starts the exercise.
class frm_hoofd final : public platform::Form
{
public:
    explicit frm_hoofd(SharedState &state);
    ~frm_hoofd() override;

    void Form_Load();
    void cmd_start_Click();
    void cmd_exit_Click();

    platform::Label Label1;
    platform::TextField txt_start;
    platform::Label Label3;
    platform::Label Label2;
    platform::TextField txt_speed;
    platform::Label Label4;
    platform::Button cmd_start;
    platform::Button cmd_exit;

private:
    std::optional<std::int32_t> readNumber(platform::TextField &field, std::string_view name);

    SharedState &m_state;
    std::unique_ptr<frm_werk> m_exercise;
};
