#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package and checks it: its files, unpacked into a scratch root, and the
# dependencies dpkg-shlibdeps found. check_package.sh BUILD_DIR CHECK_INSTALL
set -euo pipefail
build=$1
check_install=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >/dev/null
package=$(ls "$scratch"/out/lezomat_*_*.deb)
dpkg-deb -x "$package" "$scratch/root"
"$check_install" "$scratch/root/usr"

depends=$(dpkg-deb -f "$package" Depends)
echo "Depends: $depends"
status=0
# Debian 13 names some libraries anew for 64-bit time (libqt6core6t64).
for library in libqt6core6 libqt6gui6 libqt6widgets6 libc6 libstdc++6; do
    [[ "$depends" =~ (^|, )${library//+/\\+}(t64)?(\ |,|$) ]] \
        || { echo "not a dependency: $library"; status=1; }
done
[ "$(dpkg-deb -f "$package" Package)" = lezomat ] || status=1
exit $status
