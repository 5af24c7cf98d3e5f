#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Lezomat developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Windows program silently under Wine, starts it from where its Start-menu shortcut
# points, reads its entry in Settings, Apps, uninstalls it silently and checks that nothing it
# installed remains. Runs in an X server, with WINEPREFIX set.
# check_windows_installer.sh INSTALLER VERSION
set -euo pipefail
installer=$1
version=$2
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lezomat'

unix_path() { winepath -u "$(wine cmd /c echo "$1" | tr -d '\r"')"; }
folder=$(unix_path '%LOCALAPPDATA%\Programs\Lezomat')
shortcut=$(unix_path '%APPDATA%\Microsoft\Windows\Start Menu\Programs')/Lezomat.lnk
installed=("$folder/lezomat.exe" "$folder/LICENSE.txt" "$folder/uninstall.exe" "$shortcut")

wine "$installer" /S
wineserver -w
for file in "${installed[@]}"; do
    [ -s "$file" ] || { echo "not installed: $file"; exit 1; }
done

# The shortcut's target, as the Start menu would start it.
target=$(strings -a "$shortcut" | grep -i -m1 -E '^[A-Z]:\\.*\\lezomat\.exe$')
wine "$target" &
program=$!
settings=$(timeout 30 xdotool search --sync --onlyvisible --name '^Form1$' | head -1)
kill $program
wait $program 2>/dev/null || true
[ -n "$settings" ] || { echo "$target showed no settings window"; exit 1; }

entry=$(wine reg query "$key" | tr -d '\r')
echo "$entry"
for value in "DisplayName REG_SZ Lezomat" "DisplayVersion REG_SZ $version" \
             "Publisher REG_SZ The Lezomat developers" "DisplayIcon REG_SZ .*lezomat.exe,0" \
             "UninstallString REG_SZ .*uninstall.exe\"" "EstimatedSize REG_DWORD 0x[0-9a-f]+"; do
    read -r name type pattern <<<"$value"
    grep -q -E "^ +$name +$type +$pattern$" <<<"$entry" || { echo "no $name $pattern"; exit 1; }
done

# The uninstaller runs on from a copy of itself; the server tells when every process has ended.
wine "$folder/uninstall.exe" /S
wineserver -w
status=0
for file in "${installed[@]}" "$folder"; do
    [ ! -e "$file" ] || { echo "left behind: $file"; status=1; }
done
if wine reg query "$key" >/dev/null 2>&1; then
    echo "left behind: $key"
    status=1
fi
exit $status
