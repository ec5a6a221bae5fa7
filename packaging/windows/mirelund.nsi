; The Windows installer, built on Linux with Debian's makensis by scripts/package-windows:
;   makensis -DVERSION=1.54.0.0 -DOUTFILE=setup.exe -DICON=mirelund.ico
;            -DINSTALLED_FILES=files.nsh -DREMOVED_FILES=unfiles.nsh
;            [-DSIGN=scripts/sign-windows] mirelund.nsi
; The two lists are made from the staged files, so the uninstaller removes exactly what the
; installer put in place, and never the users' working folders.
Unicode true
; The program is 64-bit: a 64-bit installer writes to the 64-bit Program Files and registry
; without WOW64 redirection, and runs under a 64-bit-only Wine.
Target amd64-unicode
RequestExecutionLevel admin
SetCompressor /SOLID lzma

; -DSIGN=COMMAND signs the uninstaller before it is packed into the installer, and then the
; installer; a failed signing fails the build.
!ifdef SIGN
    !uninstfinalize '"${SIGN}" "%1"' = 0
    !finalize '"${SIGN}" "%1"' = 0
!endif

!include MUI2.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Mirelund"
; The tool keeps its settings, traffic log and recordings in its working folder, and Program
; Files is not writable. The shell expands the variable when the shortcut starts, so the one
; shortcut for all users starts each user in their own folder.
!define WORKING_FOLDER "%USERPROFILE%\Documents\Mirelund"

Name "Mirelund"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Mirelund"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Mirelund ${VERSION}"

VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "Mirelund"
VIAddVersionKey "FileDescription" "Mirelund ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
; Mirelund states no copyright holder or licence (NOTICE.txt says so).
VIAddVersionKey "LegalCopyright" ""

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Mirelund" program
    SetShellVarContext all
    !include "${INSTALLED_FILES}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; Made here for the user who installs; a shortcut cannot make it for the others.
    ExpandEnvStrings $0 "${WORKING_FOLDER}"
    CreateDirectory "$0"
    ; CreateShortcut takes its "Start in" folder from $OUTDIR.
    StrCpy $OUTDIR "${WORKING_FOLDER}"
    CreateShortcut "$SMPROGRAMS\Mirelund.lnk" "$INSTDIR\mirelund.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Mirelund"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Mirelund"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\mirelund.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    SectionGetSize ${program} $1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\Mirelund.lnk"
    !include "${REMOVED_FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
