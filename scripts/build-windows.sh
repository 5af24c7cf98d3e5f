#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Windows program build-windows/lezomat.exe with mingw-w64: one file, with nothing to
# install beside it, for 64-bit Windows 10 and 11.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
need_packages "${WINDOWS_PACKAGES[@]}"
cmake -S . -B build-windows -G Ninja --no-warn-unused-cli \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-windows
echo "Built build-windows/lezomat.exe"
