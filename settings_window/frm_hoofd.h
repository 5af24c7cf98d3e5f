// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/forms.h"

#include <memory>
#include <optional>

class QLineEdit;
class frm_werk;
struct SharedState;

// The settings window: takes the start interval and the acceleration, then starts the exercise.
class frm_hoofd final : public platform::Form
{
    Q_OBJECT

public:
    explicit frm_hoofd(SharedState &state);
    ~frm_hoofd() override;

    void Form_Load();
    void cmd_start_Click();
    void cmd_exit_Click();

private:
    std::optional<qint32> readNumber(QLineEdit *field, const QString &name);

    SharedState &m_state;
    QLineEdit *txt_start;
    QLineEdit *txt_speed;
    std::unique_ptr<frm_werk> m_exercise;
};
