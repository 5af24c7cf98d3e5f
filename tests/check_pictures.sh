#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the pictures twice into scratch folders and checks that both drawings are the committed
# files byte for byte. check_pictures.sh MAKE_PICTURES RESOURCES
set -euo pipefail
make_pictures=$1
resources=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

pictures() { (cd "$1" && find . -type f \( -name '*.jpg' -o -name '*.png' -o -name '*.svg' \) | sort); }
status=0
for run in 1 2; do
    mkdir -p "$scratch/$run/icons"
    "$make_pictures" "$scratch/$run"
    diff <(pictures "$resources") <(pictures "$scratch/$run") || status=1
    for file in $(pictures "$scratch/$run"); do
        cmp -s "$scratch/$run/$file" "$resources/$file" \
            || { echo "drawing $run: $file differs from the committed one"; status=1; }
    done
done
exit $status
