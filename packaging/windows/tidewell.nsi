; The per-user installer of Tidewell for Windows: no administrator rights, installs to
; %LOCALAPPDATA%\Programs\Tidewell, a Start-menu shortcut, an uninstaller registered under
; HKEY_CURRENT_USER. makensis -DVERSION=... -DEXE=<tidewell.exe> -DTARGET=<x86|amd64>-unicode
;   -DOUTFILE=<setup.exe> tidewell.nsi
Unicode true
Target ${TARGET}
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tidewell"

Name "Tidewell"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tidewell"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Tidewell"
VIAddVersionKey "CompanyName" "Quillmark"
VIAddVersionKey "FileDescription" "Tidewell installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Quillmark"

; The installer and the uninstaller show the program's own blue Q, not the stock icon (paths
; from this folder: makensis works in the script's folder).
!ifndef ICON
  !define ICON "../../src/frontend/win32/resources/blue_q.ico"
!endif
!include "MUI2.nsh"
!include "WinMessages.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; The last page's side picture: the blue Q (scripts/draw-windows-icon.sh), not the stock one.
!define MUI_WELCOMEFINISHPAGE_BITMAP "side.bmp"
; The last page offers to start the program (ticked); a silent install starts nothing.
!define MUI_FINISHPAGE_RUN "$INSTDIR\tidewell.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Tidewell"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running Tidewell (often only in the tray) holds its program file open, so the file could
; be neither replaced nor removed. Each copy is asked to end as its own Close would (it saves
; on the way out); then the old file is removed once it is free, waiting at most ten seconds.
; The error flag stays set if it could not be removed.
!macro EndRunningTidewell
  StrCpy $1 0
  ask_next:
    FindWindow $0 "TidewellMainWindow"
    StrCmp $0 0 wait_for_file
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    IntOp $1 $1 + 1
    IntCmp $1 50 wait_for_file
    Sleep 100
    Goto ask_next
  wait_for_file:
  StrCpy $1 0
  remove_file:
    ClearErrors
    Delete "$INSTDIR\tidewell.exe"
    IfErrors 0 file_removed
    IntOp $1 $1 + 1
    IntCmp $1 100 file_removed
    Sleep 100
    Goto remove_file
  file_removed:
!macroend

Section "Tidewell"
  SetShellVarContext current
  !insertmacro EndRunningTidewell
  SetOutPath "$INSTDIR"
  File "/oname=tidewell.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Tidewell.lnk" "$INSTDIR\tidewell.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tidewell"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Quillmark"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tidewell.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  ; A start-at-logon entry would otherwise point at a program that is gone.
  DeleteRegValue HKCU "Software\Microsoft\Windows\CurrentVersion\Run" "tidewell.exe"
  Delete "$SMPROGRAMS\Tidewell.lnk"
  !insertmacro EndRunningTidewell
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The lists and choices under "VB and VBA Program Settings" are the user's: they stay.
SectionEnd
