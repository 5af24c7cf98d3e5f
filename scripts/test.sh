#!/usr/bin/env bash
# Builds everything and runs every test: first the normal build, then the whole suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer, with a short fuzz run of the number input.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

need_packages "${BUILD_PACKAGES[@]}" xvfb xauth xdotool libxcb1-dev clang libclang-rt-14-dev \
    desktop-file-utils appstream dpkg-dev file

cmake -S . -B build -G Ninja >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure

cmake -S . -B build-sanitize -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DLEZOMAT_SANITIZE=ON >/dev/null
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure
