#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the browser edition with emscripten, in build-web/: lezomat.html, one page that runs
# when opened from disk, and site/, the same page as a web app for any HTTPS host, that installs
# and then runs offline. Neither holds a time or a build path.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
need_packages "${WEB_PACKAGES[@]}"
# Debian's emscripten finds its JavaScript parser, Debian's acorn, only with Debian's node or
# through NODE_PATH.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web
echo "Built build-web/lezomat.html and build-web/site/"
