// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/application.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace platform {

static bool isArgument(const char *argument, std::initializer_list<const char *> spellings)
{
    return std::any_of(spellings.begin(), spellings.end(),
                       [&](const char *spelling) { return std::strcmp(argument, spelling) == 0; });
}

std::optional<int> answerCommandLine(int argc, char *argv[], const Identity &identity)
{
    for (int i = 1; i < argc; ++i) {
        if (isArgument(argv[i], {"--help", "-h"})) {
            std::printf("Usage: %s\n%s", identity.name, identity.help);
            return EXIT_SUCCESS;
        }
        if (isArgument(argv[i], {"--version"})) {
            std::printf("%s %s\n", identity.name, identity.version);
            return EXIT_SUCCESS;
        }
    }
    return std::nullopt;
}

} // namespace platform
