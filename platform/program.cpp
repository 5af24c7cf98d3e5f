// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/program.h"

#include "platform/timer.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdlib>

namespace platform {

static ProgramHooks hooks;
static int programStatus = EXIT_SUCCESS;

QString errorName(RunTimeError error)
{
    switch (error) {
    case RunTimeError::TypeMismatch:
        return QStringLiteral("Typen komen niet overeen");
    case RunTimeError::Overflow:
        return QStringLiteral("Overloop");
    case RunTimeError::SubscriptOutOfRange:
        return QStringLiteral("Subscript valt buiten bereik");
    }
    Q_UNREACHABLE();
}

void reportError(QWidget *window, RunTimeError error, const QString &detail)
{
    if (hooks.reportError) {
        hooks.reportError(error, detail);
        return;
    }
    const QString text
        = detail.isEmpty() ? errorName(error) : errorName(error) + QStringLiteral("\n\n") + detail;
    QMessageBox::critical(window, QStringLiteral("Lezomat"), text);
}

void fatalError(RunTimeError error)
{
    // Nothing of the program may run on behind the report.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        for (Timer *timer : window->findChildren<Timer *>())
            timer->stop();
    }
    reportError(nullptr, error, {});
    endProgram(EXIT_FAILURE);
}

void endProgram(int status)
{
    if (hooks.endProgram) {
        hooks.endProgram(status);
        return;
    }
    programStatus = status;
    QCoreApplication::exit(status);
}

int exitStatus()
{
    return programStatus;
}

void setProgramHooks(ProgramHooks newHooks)
{
    hooks = std::move(newHooks);
}

} // namespace platform
