#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package build/lezomat_<version>_<arch>.deb. Its time stamps are those of the
# last commit, so that building the same commit again gives the same package.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
need_packages "${BUILD_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DBUILD_TESTING=OFF >/dev/null
cmake --build build
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
(cd build && cpack)
