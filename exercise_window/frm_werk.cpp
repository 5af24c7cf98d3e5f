// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exercise_window/frm_werk.h"

#include "core/items.h"
#include "core/shared_state.h"
#include "exercise_window/pacing.h"
#include "platform/numbers.h"
#include "platform/program.h"
#include "platform/random.h"

namespace {

using namespace pacing;

// What one press of a pace button changes the interval by; it also becomes the acceleration.
constexpr std::int32_t paceButtonStep = 100; // ms
constexpr platform::Font itemFont {"MS Sans Serif", 24, true};

// The item's text without blanks at its start and end.
std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

frm_werk::frm_werk(SharedState &state)
    : Form("frm_werk", "Lezomat", 15240, 11010)
    , txt_string(*this, "txt_string", {}, {5280, 4320, 3375, 1455},
                 platform::Label::Alignment::Centre, itemFont)
    , Picture1(*this, "Picture1", "reward.jpg", {5760, 3960, 2295, 1695})
    , Command2(*this, "Command2", "vertraag      100 msec", {13560, 7560, 1215, 495},
               [this] { Command2_Click(); })
    , Command1(*this, "Command1", "versnel        100 msec", {13560, 8280, 1215, 495},
               [this] { Command1_Click(); })
    , cmd_exit(*this, "cmd_exit", "&Einde", {11400, 9120, 1695, 495}, [this] { cmd_exit_Click(); })
    , Label4(*this, "Label4", "reeks", {13440, 9240, 495, 255})
    , Label3(*this, "Label3", {}, {14280, 9240, 735, 255})
    , Label5(*this, "Label5", "tijd", {13560, 9840, 375, 255})
    , Label1(*this, "Label1", {}, {14280, 9840, 735, 255})
    , Timer1("Timer1", tickPeriod, [this] { Timer1_Timer(); })
    , Timer2("Timer2", pauseAfterSeries, [this] { Timer2_Timer(); })
    , m_state(state)
{
    useActiveBorderColour();
    txt_string.hide();
    Picture1.hide();
    setFocusOrder({&cmd_exit, &Picture1, &Command1, &Command2});

    Form_Load();
    Timer1.start();
}

// Puts a newly drawn item into txt_string, leaving its visibility alone.
void frm_werk::Form_Load()
{
    m_state.item_index = int(platform::randomNext() * m_state.item_count) + 1;
    txt_string.setText(trimmed(item(m_state.item_index)));
}

// Time is counted only in ticks at their nominal period; late ticks stretch the pace.
void frm_werk::Timer1_Timer()
{
    // elapsed never passes interval / 2 by more than one tick, so it cannot overflow.
    m_state.elapsed += Timer1.interval();
    if (stepIsDue(m_state.elapsed, m_state.interval)) {
        m_state.elapsed = elapsedRestart;
        next_step();
    }
}

void frm_werk::next_step()
{
    Label1.setText(platform::numberText(m_state.interval));
    Label3.setText(platform::numberText(m_state.series_in_block + 1));
    ++m_state.step_count;
    if (m_state.step_count == stepsPerSeries)
        end_series();
    else
        txt_string.setVisible(!txt_string.isVisible());
    Form_Load();
}

void frm_werk::end_series()
{
    ++m_state.series_in_block;
    Timer2.setInterval(pauseAfterSeries);
    if (m_state.series_in_block == seriesPerBlock) {
        Timer2.setInterval(pauseAfterBlock);
        m_state.interval = intervalAfterBlock(m_state.interval, m_state.acceleration);
        m_state.series_in_block = 0;
    }
    Timer2.start();
    Picture1.show();
    Timer1.stop();
    m_state.step_count = 0;
    txt_string.hide();
}

void frm_werk::Timer2_Timer()
{
    Timer2.stop();
    Picture1.hide();
    Timer1.start();
    txt_string.hide();
    Form_Load();
}

void frm_werk::Command2_Click()
{
    m_state.acceleration = paceButtonStep;
    m_state.interval = clampToInt32(std::int64_t(m_state.interval) + paceButtonStep);
}

void frm_werk::Command1_Click()
{
    m_state.acceleration = paceButtonStep;
    m_state.interval = clampToInt32(std::int64_t(m_state.interval) - paceButtonStep);
}

void frm_werk::cmd_exit_Click()
{
    platform::endProgram();
}

// The settings window stays hidden once the exercise has started, so closing this window through
// its frame ends the program rather than leaving it running unseen.
void frm_werk::Form_Unload()
{
    platform::endProgram();
}
