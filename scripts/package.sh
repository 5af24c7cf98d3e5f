#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package build-package/lezomat_<version>_<arch>.deb, in a build folder of its
# own. Its time stamps, the packaged files' and those the resource compiler writes into the
# program, are the time of the last commit, so that building the same commit again gives the same
# package.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
need_packages "${BUILD_PACKAGES[@]}"
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
cmake -S . -B build-package -G Ninja -DBUILD_TESTING=OFF >/dev/null
cmake --build build-package
(cd build-package && cpack)
