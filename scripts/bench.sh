#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs the pacing benchmarks: the Linux program's and the Windows program's under Wine
# in a virtual X server, then the browser edition's in headless Chromium (about fifteen minutes).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
need_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${WEB_PACKAGES[@]}" \
    "${TEST_PACKAGES[@]}"
scripts/build-windows.sh >/dev/null
scripts/build-web.sh >/dev/null
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON -DLEZOMAT_WINDOWS_BUILD="$PWD/build-windows" \
    -DLEZOMAT_WEB_BUILD="$PWD/build-web" >/dev/null
cmake --build build --target bench_pacing bench_windows bench_web
screen=(-a -s "-screen 0 1280x1024x24")
echo "== Linux program"
xvfb-run "${screen[@]}" build/bench/bench_pacing
echo "== Windows program under Wine"
export WINEPREFIX=$PWD/build/bench/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
[ -d "$WINEPREFIX/drive_c" ] || xvfb-run -a wineboot --init
xvfb-run "${screen[@]}" build/bench/bench_windows "$PWD/build-windows/lezomat.exe"
echo "== Browser edition in headless Chromium"
build/bench/bench_web "file://$PWD/build-web/lezomat.html" "file://$PWD/bench/flasher.html"
