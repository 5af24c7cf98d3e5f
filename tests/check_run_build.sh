#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that the program configures and builds as scripts/run.sh and scripts/package.sh build it,
# without anything of the packages that only the tests take: a scratch build of lezomat with
# -DBUILD_TESTING=OFF may neither find (CMakeCache.txt), link (build.ninja) nor include (the
# headers ninja recorded) any of their files. check_run_build.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
source "$source_dir/scripts/packages.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
build=$scratch/build

cmake -S "$source_dir" -B "$build" -G Ninja -DBUILD_TESTING=OFF >"$scratch/log" 2>&1 \
    && cmake --build "$build" --target lezomat >>"$scratch/log" 2>&1 \
    || { cat "$scratch/log"; exit 1; }
"$build/lezomat" --version

ninja -C "$build" -t deps >"$scratch/deps"
grep -o -h -E '/[^ ;:"=]+' "$build/CMakeCache.txt" "$build/build.ninja" "$scratch/deps" \
    | sort -u >"$scratch/used"
dpkg-query -L "${TEST_PACKAGES[@]}" | while read -r file; do
    [ -d "$file" ] || echo "$file"
done | sort -u >"$scratch/test-only"
used=$(comm -12 "$scratch/used" "$scratch/test-only")
if [ -n "$used" ]; then
    echo "The build of lezomat uses files of packages that only the tests take:"
    echo "$used"
    exit 1
fi
echo "lezomat built without any file of ${TEST_PACKAGES[*]}"
