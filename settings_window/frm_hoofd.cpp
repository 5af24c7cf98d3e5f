// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings_window/frm_hoofd.h"

#include "core/shared_state.h"
#include "exercise_window/frm_werk.h"
#include "platform/numbers.h"

#include <limits>
#include <string>

namespace {

constexpr std::string_view milliseconds = "Mili seconden";

} // namespace

frm_hoofd::frm_hoofd(SharedState &state)
    : Form("frm_hoofd", "Form1", 5535, 2880)
    , Label1(*this, "Label1", "Geef start interval", {240, 360, 1600, 255})
    , txt_start(*this, "txt_start", {2040, 360, 1575, 285})
    , Label3(*this, "Label3", milliseconds, {3840, 360, 1215, 255})
    , Label2(*this, "Label2", "Geef versnelling", {240, 960, 1600, 255})
    , txt_speed(*this, "txt_speed", {2040, 960, 1575, 285})
    , Label4(*this, "Label4", milliseconds, {3840, 960, 1215, 255})
    , cmd_start(*this, "cmd_start", "&Start", {240, 2160, 1695, 495}, [this] { cmd_start_Click(); })
    , cmd_exit(*this, "cmd_exit", "&Einde", {3600, 2160, 1695, 495}, [this] { cmd_exit_Click(); })
    , m_state(state)
{
    setFocusOrder({&txt_start, &txt_speed, &cmd_start, &cmd_exit});
    Form_Load();
}

frm_hoofd::~frm_hoofd() = default;

void frm_hoofd::Form_Load()
{
    txt_speed.setText(platform::numberText(m_state.acceleration));
    txt_start.setText(platform::numberText(m_state.interval));
}

void frm_hoofd::cmd_start_Click()
{
    // Both numbers are taken over together or not at all.
    const auto interval = readNumber(txt_start, "Het start interval");
    if (!interval)
        return;
    const auto acceleration = readNumber(txt_speed, "De versnelling");
    if (!acceleration)
        return;
    m_state.interval = *interval;
    m_state.acceleration = *acceleration;

    hide();
    if (!m_exercise)
        m_exercise = std::make_unique<frm_werk>(m_state);
    m_exercise->showModal();
}

void frm_hoofd::cmd_exit_Click()
{
    platform::endProgram();
}

// A typing slip is reported and left for the user to mend; it does not end the program.
std::optional<std::int32_t> frm_hoofd::readNumber(platform::TextField &field, std::string_view name)
{
    const platform::Conversion number = platform::toInt32(field.text());
    if (!number.error)
        return number.value;

    using limits = std::numeric_limits<std::int32_t>;
    const std::string detail = *number.error == platform::RunTimeError::Overflow
        ? std::string(name) + " ligt niet tussen " + platform::numberText(limits::min()) + " en "
            + platform::numberText(limits::max()) + "."
        : std::string(name) + " is geen geheel getal.";
    platform::reportError(this, *number.error, detail);
    field.setFocus();
    field.selectAll();
    return std::nullopt;
}
