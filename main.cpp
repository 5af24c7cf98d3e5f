// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/module1.h"
#include "platform/application.h"

static constexpr platform::Identity lezomat {
    "lezomat",
    LEZOMAT_VERSION,
    LEZOMAT_APP_ID,
    "Lezomat, a reading trainer: it flashes the Dutch vowels one at a time at a rising pace.\n"
    "It takes no arguments. The start interval and the acceleration are set in the window\n"
    "it opens first; nothing is kept between runs.\n"
    "\n"
    "  --help     show this text\n"
    "  --version  show the version\n",
};

int main(int argc, char *argv[])
{
    return platform::run(argc, argv, lezomat, Module1::Main);
}
