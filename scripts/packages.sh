# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the other scripts: installs the Debian packages that are missing, with sudo when not
# root. Every name here resolves on Debian 12 and 13.
need_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "Installing ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# What building, running and packaging the program takes.
BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev libxss-dev dpkg-dev file fonts-dejavu-core)

# What building the Windows program takes: the mingw-w64 compiler, and the icon tool that makes
# its icon file.
WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix icoutils)
# And its installer: NSIS.
INSTALLER_PACKAGES=(nsis)

# What building the browser edition takes: emscripten, with Debian's node and acorn.
WEB_PACKAGES=(cmake ninja-build emscripten)

# What only the tests and the benchmark take: an X server and xdotool to drive the real program,
# a session bus of the tests' own, Wine to run the Windows program, Chromium and WebKit with their WebDriver servers and selenium
# to drive the browser edition, clang with its sanitizer and fuzzer runtime and its symbolizer,
# and the checkers of what the program installs and of the licences.
TEST_PACKAGES=(xvfb xauth xdotool libxcb1-dev libxcb-screensaver0-dev dbus-daemon wine chromium
               chromium-driver webkit2gtk-driver python3-selenium clang-19 libclang-rt-19-dev
               llvm-19 desktop-file-utils appstream lintian reuse)
