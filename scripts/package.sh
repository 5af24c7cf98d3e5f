#!/usr/bin/env bash
# Builds the Debian package build/lezomat_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
need_packages "${BUILD_PACKAGES[@]}" dpkg-dev file
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target lezomat
(cd build && cpack)
