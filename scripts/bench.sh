#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs the pacing benchmark in a virtual X server (about three minutes).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
need_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build build --target bench_pacing
xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench_pacing
