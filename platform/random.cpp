// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/random.h"

#include <QRandomGenerator>

namespace platform {

double randomNext()
{
    return QRandomGenerator::global()->generateDouble();
}

} // namespace platform
