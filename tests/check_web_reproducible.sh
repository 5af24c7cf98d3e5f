#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the browser edition again from a copy of the sources at another path, and checks that
# the page and the web app are the same bytes as the ones built before.
# check_web_reproducible.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
copy=$scratch/elsewhere/lezomat
mkdir -p "$copy"
tar -C "$source_dir" --exclude-vcs --exclude='./build*' --exclude=./.cache -cf - . | tar -C "$copy" -xf -
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S "$copy" -B "$scratch/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$scratch/build" >/dev/null
status=0
for file in lezomat.html $(cd "$build" && find site -type f | sort); do
    cmp "$build/$file" "$scratch/build/$file" || { echo "$file differs"; status=1; }
done
exit $status
