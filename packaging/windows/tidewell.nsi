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

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Tidewell"
  SetShellVarContext current
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
  Delete "$INSTDIR\tidewell.exe"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The lists and choices under "VB and VBA Program Settings" are the user's: they stay.
SectionEnd
