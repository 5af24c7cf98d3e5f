// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/program.h"

#include <QList>
#include <QStringList>
#include <string>

// Records every end of the program and every error report the code under test asks for, instead
// of carrying them out, for as long as it lives.
class RecordingProgram
{
public:
    RecordingProgram()
    {
        platform::setProgramHooks({
            [this](int status) { ends.append(status); },
            [this](platform::RunTimeError error, const std::string &detail) {
                errors.append(error);
                details.append(QString::fromStdString(detail));
            },
        });
    }
    ~RecordingProgram() { platform::setProgramHooks({}); }

    QList<int> ends;
    QList<platform::RunTimeError> errors;
    QStringList details;
};
