#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "lezomat: no display found (DISPLAY and WAYLAND_DISPLAY are unset); run it from a desktop session." >&2
    exit 1
fi

need_packages "${BUILD_PACKAGES[@]}"
cmake -S . -B build-run -G Ninja -DBUILD_TESTING=OFF >/dev/null
cmake --build build-run --target lezomat
exec build-run/lezomat
