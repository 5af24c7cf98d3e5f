#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the README's screenshots from the real program in a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --in-x-server ]; then
    source scripts/packages.sh
    need_packages "${BUILD_PACKAGES[@]}" xvfb xauth xdotool imagemagick
    cmake -S . -B build-run -G Ninja -DBUILD_TESTING=OFF >/dev/null
    cmake --build build-run --target lezomat
    xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --in-x-server
    echo "Wrote docs/settings-window.png, docs/exercise-window.png, docs/exercise-pause.png"
    exit 0
fi

shoot() {
    local interval=$1 wait=$2 out=$3
    build-run/lezomat &
    local program=$!
    local settings
    settings=$(xdotool search --sync --onlyvisible --name '^Form1$' | head -1)
    xdotool windowfocus --sync "$settings"
    if [ "$interval" = settings ]; then
        sleep 0.5
        import -window "$settings" "$out"
    else
        xdotool key ctrl+a type "$interval"
        xdotool key alt+s
        local exercise
        exercise=$(xdotool search --sync --onlyvisible --name '^Lezomat$' | head -1)
        sleep "$wait"
        import -window "$exercise" "$out"
    fi
    kill "$program"
    wait "$program" 2>/dev/null || true
}

shoot settings 0 docs/settings-window.png
shoot 2000 1.5 docs/exercise-window.png
shoot 200 3.5 docs/exercise-pause.png
