// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exercise_window/frm_werk.h"

#include "core/items.h"
#include "core/shared_state.h"
#include "platform/numbers.h"
#include "platform/program.h"
#include "platform/random.h"
#include "platform/timer.h"

#include <QLabel>

using platform::twips;

namespace {

constexpr int tickPeriod = 10; // ms
constexpr qint16 stepsPerSeries = 21; // 20 flashing steps, then the step that starts the pause
constexpr qint16 seriesPerBlock = 3;
constexpr int pauseAfterSeries = 3500; // ms
constexpr int pauseAfterBlock = 5500; // ms
// What one press of a pace button changes the interval by; it also becomes the acceleration.
constexpr qint32 paceButtonStep = 100; // ms

} // namespace

frm_werk::frm_werk(SharedState &state)
    : Form(QStringLiteral("Lezomat"), twips(15240, 11010))
    , m_state(state)
{
    QPalette background = palette();
    background.setColor(QPalette::Window, platform::activeBorderColour());
    setPalette(background);

    txt_string = platform::addLabel(this, "txt_string", {}, twips(5280, 4320, 3375, 1455));
    txt_string->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    txt_string->setFont(platform::font(QStringLiteral("MS Sans Serif"), 24, true));
    txt_string->hide();
    Picture1 = platform::addPictureBox(this, "Picture1", QStringLiteral(":/reward.jpg"),
                                       twips(5760, 3960, 2295, 1695));
    Picture1->hide();
    auto *Command2 = platform::addButton(this, "Command2", QStringLiteral("vertraag      100 msec"),
                                         twips(13560, 7560, 1215, 495));
    auto *Command1 = platform::addButton(
        this, "Command1", QStringLiteral("versnel        100 msec"), twips(13560, 8280, 1215, 495));
    auto *cmd_exit = platform::addButton(this, "cmd_exit", QStringLiteral("&Einde"),
                                         twips(11400, 9120, 1695, 495));
    platform::addLabel(this, "Label4", QStringLiteral("reeks"), twips(13440, 9240, 495, 255));
    Label3 = platform::addLabel(this, "Label3", {}, twips(14280, 9240, 735, 255));
    platform::addLabel(this, "Label5", QStringLiteral("tijd"), twips(13560, 9840, 375, 255));
    Label1 = platform::addLabel(this, "Label1", {}, twips(14280, 9840, 735, 255));
    Timer1 = new platform::Timer(this, "Timer1", tickPeriod);
    Timer2 = new platform::Timer(this, "Timer2", pauseAfterSeries);

    platform::setFocusOrder({cmd_exit, Picture1, Command1, Command2});
    cmd_exit->setFocus();
    connect(Timer1, &platform::Timer::timeout, this, &frm_werk::Timer1_Timer);
    connect(Timer2, &platform::Timer::timeout, this, &frm_werk::Timer2_Timer);
    connect(Command2, &QPushButton::clicked, this, &frm_werk::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &frm_werk::Command1_Click);
    connect(cmd_exit, &QPushButton::clicked, this, &frm_werk::cmd_exit_Click);

    Form_Load();
    Timer1->start();
}

// Puts a newly drawn item into txt_string, leaving its visibility alone.
void frm_werk::Form_Load()
{
    m_state.item_index = int(platform::randomNext() * m_state.item_count) + 1;
    txt_string->setText(item(m_state.item_index).trimmed().toString());
}

// Time is counted only in ticks at their nominal period; late ticks stretch the pace.
void frm_werk::Timer1_Timer()
{
    // elapsed never passes interval / 2 by more than one tick, so it cannot overflow.
    m_state.elapsed += Timer1->interval();
    if (m_state.elapsed > m_state.interval / 2.0) {
        m_state.elapsed = elapsedRestart;
        next_step();
    }
}

void frm_werk::next_step()
{
    Label1->setText(platform::numberText(m_state.interval));
    Label3->setText(platform::numberText(m_state.series_in_block + 1));
    ++m_state.step_count;
    if (m_state.step_count == stepsPerSeries)
        end_series();
    else
        txt_string->setHidden(!txt_string->isHidden());
    Form_Load();
}

void frm_werk::end_series()
{
    ++m_state.series_in_block;
    Timer2->setInterval(pauseAfterSeries);
    if (m_state.series_in_block == seriesPerBlock) {
        Timer2->setInterval(pauseAfterBlock);
        m_state.interval = clampToInt32(qint64(m_state.interval) - m_state.acceleration);
        m_state.series_in_block = 0;
        if (m_state.interval < m_state.acceleration)
            m_state.interval = m_state.acceleration;
    }
    Timer2->start();
    Picture1->show();
    Timer1->stop();
    m_state.step_count = 0;
    txt_string->hide();
}

void frm_werk::Timer2_Timer()
{
    Timer2->stop();
    Picture1->hide();
    Timer1->start();
    txt_string->hide();
    Form_Load();
}

void frm_werk::Command2_Click()
{
    m_state.acceleration = paceButtonStep;
    m_state.interval = clampToInt32(qint64(m_state.interval) + paceButtonStep);
}

void frm_werk::Command1_Click()
{
    m_state.acceleration = paceButtonStep;
    m_state.interval = clampToInt32(qint64(m_state.interval) - paceButtonStep);
}

void frm_werk::cmd_exit_Click()
{
    platform::endProgram();
}

// The settings window stays hidden once the exercise has started, so closing this window through
// its frame ends the program rather than leaving it running unseen.
void frm_werk::closeEvent(QCloseEvent *event)
{
    platform::endProgram();
    Form::closeEvent(event);
}
