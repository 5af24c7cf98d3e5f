; SPDX-FileCopyrightText: 2026 The Lezomat developers
; SPDX-License-Identifier: GPL-3.0-or-later
;
; The Windows installer: installs Lezomat for the current user, without administrator rights, in
; %LOCALAPPDATA%\Programs\Lezomat, with a Start-menu shortcut and an entry in Settings, Apps.
; makensis -DVERSION=1.0.0 -DPROGRAM=lezomat.exe -DICON=lezomat.ico -DLICENCE=... -DOUTPUT=...
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; No time stamps of the build machine's files go into the installer.
SetDateSave off
ManifestSupportedOS Win10
ManifestDPIAware true
RequestExecutionLevel user

!include FileFunc.nsh
!include MUI2.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lezomat"

Name "Lezomat"
OutFile "${OUTPUT}"
InstallDir "$LOCALAPPDATA\Programs\Lezomat"
BrandingText "Lezomat ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1043 "ProductName" "Lezomat"
VIAddVersionKey /LANG=1043 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1043 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1043 "FileDescription" "Installatie van Lezomat ${VERSION}"
VIAddVersionKey /LANG=1043 "CompanyName" "The Lezomat developers"
VIAddVersionKey /LANG=1043 "LegalCopyright" "© 2026 The Lezomat developers, GPL-3.0-or-later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\lezomat.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Dutch"

Section
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "/oname=lezomat.exe" "${PROGRAM}"
    File "/oname=LICENSE.txt" "${LICENCE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortCut "$SMPROGRAMS\Lezomat.lnk" "$INSTDIR\lezomat.exe" "" "$INSTDIR\lezomat.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Lezomat"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lezomat.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Lezomat developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ; The size Settings shows, in KiB.
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\Lezomat.lnk"
    Delete "$INSTDIR\lezomat.exe"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
