#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package and checks it: its files, unpacked into a scratch root, the
# dependencies dpkg-shlibdeps found, what lintian finds, and that a second packaging of the same
# build gives the same bytes. check_package.sh BUILD_DIR CHECK_INSTALL LINTIAN
set -euo pipefail
build=$1
check_install=$2
lintian=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# A second apart, so that any time stamp of the packaging's own would differ.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(date +%s)}
cpack --config "$build/CPackConfig.cmake" -B "$scratch/1" >/dev/null
sleep 1
cpack --config "$build/CPackConfig.cmake" -B "$scratch/2" >/dev/null
package=$(ls "$scratch"/1/lezomat_*_*.deb)
dpkg-deb -x "$package" "$scratch/root"
"$check_install" "$scratch/root/usr"

status=0
depends=$(dpkg-deb -f "$package" Depends)
echo "Depends: $depends"
# Debian 13 names some libraries anew for 64-bit time (libqt6core6t64).
for library in libqt6core6 libqt6gui6 libqt6widgets6 libc6 libstdc++6; do
    [[ "$depends" =~ (^|, )${library//+/\\+}(t64)?(\ |,|$) ]] \
        || { echo "not a dependency: $library"; status=1; }
done
[ "$(dpkg-deb -f "$package" Package)" = lezomat ] || status=1

"$lintian" --fail-on error,warning --display-info "$package" || status=1

cmp "$package" "$scratch/2/$(basename "$package")" \
    || { echo "packaging the same build twice gave different packages"; status=1; }
exit $status
