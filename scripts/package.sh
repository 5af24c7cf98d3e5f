#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package build/lezomat_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
need_packages "${BUILD_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DBUILD_TESTING=OFF >/dev/null
cmake --build build --target lezomat
(cd build && cpack)
