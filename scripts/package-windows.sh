#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds, in build-windows/, the Windows program lezomat.exe, to run from any folder or a USB
# stick, and the installer lezomat-<version>-setup.exe. Neither holds a time or a build path:
# the same commit gives the same bytes wherever and whenever it is built.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
need_packages "${WINDOWS_PACKAGES[@]}" "${INSTALLER_PACKAGES[@]}"
scripts/build-windows.sh >/dev/null
cmake --build build-windows --target installer
echo "Built build-windows/lezomat.exe and build-windows/$(cd build-windows && ls lezomat-*-setup.exe)"
