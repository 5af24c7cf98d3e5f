// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/qt_platform.h"
#include "platform/toolkit.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

void showErrorBox(const Form *window, std::string_view text)
{
    QMessageBox::critical(window ? &window->native() : nullptr, QStringLiteral("Lezomat"),
                          QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void endEventLoops(int status)
{
    QCoreApplication::exit(status);
}

} // namespace platform
