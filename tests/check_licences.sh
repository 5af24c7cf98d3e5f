#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every file of the project states its copyright and licence, as REUSE asks. A copy
# without the build folders is checked, since reuse skips what .gitignore names only in a git
# checkout. check_licences.sh REUSE SOURCE_DIR
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
reuse=$1
tar -C "$2" --exclude-vcs --exclude='./build*' --exclude=./.cache -cf - . | tar -C "$scratch" -xf -
"$reuse" --root "$scratch" lint
