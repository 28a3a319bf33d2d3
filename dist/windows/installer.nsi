; The per-user installer of Cairnfall for Windows: no administrator rights, the
; game in %LOCALAPPDATA%\Programs\Cairnfall, a Start-menu entry, and an
; uninstaller listed in the player's Apps & features. The player's scores in
; %APPDATA%\Cairnfall stay when the game is uninstalled.
; makensis -DVERSION=1.0.0 -DGAME=<folder with cairnfall.exe and data> -DOUT=<setup.exe>
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Cairnfall"

Name "Cairnfall"
OutFile "${OUT}"
InstallDir "$LOCALAPPDATA\Programs\Cairnfall"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
Icon "${ICON}"
UninstallIcon "${ICON}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Cairnfall"
VIAddVersionKey "FileDescription" "Cairnfall installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 The Cairnfall developers"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Cairnfall"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${GAME}\cairnfall.exe"
  File "${GAME}\LICENSE.txt"
  SetOutPath "$INSTDIR\data"
  File /x ".generated" "${GAME}\data\*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Cairnfall.lnk" "$INSTDIR\cairnfall.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Cairnfall"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Cairnfall developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\cairnfall.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Cairnfall.lnk"
  Delete "$INSTDIR\cairnfall.exe"
  Delete "$INSTDIR\LICENSE.txt"
  RMDir /r "$INSTDIR\data"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
