; The Windows installer: installs Quorvel for the current user, without administrator rights,
; with a Start-menu shortcut and an entry in the list of installed programs. /S installs and
; uninstalls silently.
; makensis -DVERSION=0.1.0 -DSOURCE=DIR -DOUTPUT=FILE quorvel.nsi, where DIR holds Quorvel.exe,
; quorvel-cli.exe, quorvel.ico, README.md and LICENSE.txt.

; A 64-bit installer for the 64-bit programs.
Target amd64-unicode
SetCompressor /SOLID lzma
; No file times in the installer, so that two builds of one commit give the same bytes.
SetDateSave off

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel"

Name "Quorvel ${VERSION}"
OutFile "${OUTPUT}"
Icon "${SOURCE}\quorvel.ico"
UninstallIcon "${SOURCE}\quorvel.ico"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Quorvel"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Quorvel"
VIAddVersionKey "FileDescription" "Quorvel installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "The Quorvel developers"
VIAddVersionKey "LegalCopyright" "MIT License"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Quorvel"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${SOURCE}\Quorvel.exe"
  File "${SOURCE}\quorvel-cli.exe"
  File "${SOURCE}\README.md"
  File "${SOURCE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Quorvel.lnk" "$INSTDIR\Quorvel.exe" "" "$INSTDIR\Quorvel.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Quorvel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quorvel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Quorvel developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Quorvel.lnk"
  Delete "$INSTDIR\Quorvel.exe"
  Delete "$INSTDIR\quorvel-cli.exe"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
