#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the exercise with its real timers at 200 ms for an hour (or the minutes given), headless,
# and prints the resident memory once a minute.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
need_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build build --target soak
QT_QPA_PLATFORM=offscreen build/bench/soak "${1:-60}"
