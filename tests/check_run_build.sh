#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that the program configures and builds as scripts/run.sh and scripts/package.sh build it,
# on a machine without the packages that only the tests take: what a build could find of them
# (programs, libraries, headers, CMake and pkg-config files) is hidden, in a mount namespace of
# this script's own, while a scratch build runs. A link cannot be hidden without what it points
# to, which may be the program's own need, so links stay. check_run_build.sh SOURCE_DIR
set -euo pipefail

if [ "$1" != --hidden ]; then
    source "$1/scripts/packages.sh"
    hidden=()
    for package in "${TEST_PACKAGES[@]}"; do
        while read -r file; do
            case $file in
            */bin/* | */include/* | *.so | *.so.* | *.a | *.pc | *.cmake)
                [ -f "$file" ] && [ ! -L "$file" ] && hidden+=("$file") ;;
            esac
        done < <(dpkg-query -L "$package")
    done
    exec unshare --mount --map-root-user "$0" --hidden "$1" "${hidden[@]}"
fi

source_dir=$2
shift 2
for file in "$@"; do
    mount --bind /dev/null "$file"
done
if [ -x "$(command -v xvfb-run)" ]; then
    echo "xvfb-run can still be found: the test-only packages are not hidden"
    exit 1
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
log=$scratch/build.log
cmake -S "$source_dir" -B "$scratch/build" -G Ninja -DBUILD_TESTING=OFF >"$log" 2>&1 \
    && cmake --build "$scratch/build" --target lezomat >>"$log" 2>&1 \
    || { cat "$log"; exit 1; }
[ -x "$scratch/build/lezomat" ]
echo "Built with the $# files of the test-only packages hidden"
