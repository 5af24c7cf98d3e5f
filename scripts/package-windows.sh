#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds, in build-windows-package/, the Windows program lezomat.exe, to run from any folder or a
# USB stick, and the installer lezomat-<version>-setup.exe. Neither holds a time or a build path:
# the same commit gives the same bytes wherever and whenever it is built.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
need_packages "${WINDOWS_PACKAGES[@]}" "${INSTALLER_PACKAGES[@]}"
build=build-windows-package
cmake -S . -B $build -G Ninja --no-warn-unused-cli \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build $build
cmake --build $build --target installer
echo "Built $build/lezomat.exe and $build/$(cd $build && ls lezomat-*-setup.exe)"
