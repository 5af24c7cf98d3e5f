// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings_window/frm_hoofd.h"

#include "core/shared_state.h"
#include "exercise_window/frm_werk.h"
#include "platform/numbers.h"

#include <QLineEdit>
#include <limits>

using platform::twips;

frm_hoofd::frm_hoofd(SharedState &state)
    : Form(QStringLiteral("Form1"), twips(5535, 2880))
    , m_state(state)
{
    const QString milliseconds = QStringLiteral("Mili seconden");
    platform::addLabel(this, "Label1", QStringLiteral("Geef start interval"),
                       twips(240, 360, 1600, 255));
    txt_start = platform::addTextField(this, "txt_start", twips(2040, 360, 1575, 285));
    platform::addLabel(this, "Label3", milliseconds, twips(3840, 360, 1215, 255));
    platform::addLabel(this, "Label2", QStringLiteral("Geef versnelling"),
                       twips(240, 960, 1600, 255));
    txt_speed = platform::addTextField(this, "txt_speed", twips(2040, 960, 1575, 285));
    platform::addLabel(this, "Label4", milliseconds, twips(3840, 960, 1215, 255));
    auto *cmd_start = platform::addButton(this, "cmd_start", QStringLiteral("&Start"),
                                          twips(240, 2160, 1695, 495));
    auto *cmd_exit = platform::addButton(this, "cmd_exit", QStringLiteral("&Einde"),
                                         twips(3600, 2160, 1695, 495));

    platform::setFocusOrder({txt_start, txt_speed, cmd_start, cmd_exit});
    txt_start->setFocus();
    connect(cmd_start, &QPushButton::clicked, this, &frm_hoofd::cmd_start_Click);
    connect(cmd_exit, &QPushButton::clicked, this, &frm_hoofd::cmd_exit_Click);

    Form_Load();
}

frm_hoofd::~frm_hoofd() = default;

void frm_hoofd::Form_Load()
{
    txt_speed->setText(platform::numberText(m_state.acceleration));
    txt_start->setText(platform::numberText(m_state.interval));
}

void frm_hoofd::cmd_start_Click()
{
    // Both numbers are taken over together or not at all.
    const auto interval = readNumber(txt_start, QStringLiteral("Het start interval"));
    if (!interval)
        return;
    const auto acceleration = readNumber(txt_speed, QStringLiteral("De versnelling"));
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
std::optional<qint32> frm_hoofd::readNumber(QLineEdit *field, const QString &name)
{
    const platform::Conversion number = platform::toInt32(field->text());
    if (!number.error)
        return number.value;

    const QString detail = *number.error == platform::RunTimeError::Overflow
        ? QStringLiteral("%1 ligt niet tussen %2 en %3.")
              .arg(name, platform::numberText(std::numeric_limits<qint32>::min()),
                   platform::numberText(std::numeric_limits<qint32>::max()))
        : QStringLiteral("%1 is geen geheel getal.").arg(name);
    platform::reportError(this, *number.error, detail);
    field->setFocus();
    field->selectAll();
    return std::nullopt;
}
