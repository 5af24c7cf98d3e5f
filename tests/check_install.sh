#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that an installed tree holds everything a desktop program needs: check_install.sh PREFIX
set -euo pipefail
prefix=$1
id=nl.lezomat.Lezomat
expected=(bin/lezomat "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
          "share/icons/hicolor/scalable/apps/$id.svg" share/man/man1/lezomat.1.gz
          share/doc/lezomat/copyright share/doc/lezomat/changelog.Debian.gz)
for size in 16 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
status=0
for file in "${expected[@]}"; do
    [ -s "$prefix/$file" ] || { echo "missing: $file"; status=1; }
done
[ -x "$prefix/bin/lezomat" ] || { echo "not executable: bin/lezomat"; status=1; }
# Each PNG icon is the size its folder says.
for size in 16 24 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
    read -r width height < <(od -An -tu1 -j16 -N8 "$icon" \
        | awk '{ print $3 * 256 + $4, $7 * 256 + $8 }')
    [ "$width $height" = "$size $size" ] || { echo "$icon is ${width}x${height}"; status=1; }
done
exit $status
