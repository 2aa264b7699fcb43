; The Windows installer: per person, without administrator rights, into %LOCALAPPDATA%\Programs\Morvane, so that
; the data folder below the program folder stays writable. makensis is given VERSION, AUSGABE (the setup file)
; and LISTEN (the folder with dateien.nsh and entfernen.nsh, written from the program folder by scripts/windows).
; The program is 64-bit only, and so is the installer: it runs where the program runs.
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"

!define DEINSTALLATION "Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane"

Name "Morvane"
OutFile "${AUSGABE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Morvane"
InstallDirRegKey HKCU "${DEINSTALLATION}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1031 "ProductName" "Morvane"
VIAddVersionKey /LANG=1031 "FileDescription" "Morvane einrichten"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "Morvane-Projekt"

!define MUI_FINISHPAGE_RUN "$INSTDIR\morvane.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Morvane jetzt starten"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

Section
  !include "${LISTEN}\dateien.nsh"
  WriteUninstaller "$INSTDIR\Deinstallieren.exe"
  ; The program keeps its folders relative to its working folder: the entry starts it in the program folder.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\Morvane.lnk" "$INSTDIR\morvane.exe" "" "$INSTDIR\morvane.exe" 0
  WriteRegStr HKCU "${DEINSTALLATION}" "DisplayName" "Morvane"
  WriteRegStr HKCU "${DEINSTALLATION}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${DEINSTALLATION}" "Publisher" "Morvane-Projekt"
  WriteRegStr HKCU "${DEINSTALLATION}" "DisplayIcon" "$INSTDIR\morvane.exe"
  WriteRegStr HKCU "${DEINSTALLATION}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${DEINSTALLATION}" "UninstallString" '"$INSTDIR\Deinstallieren.exe"'
  WriteRegStr HKCU "${DEINSTALLATION}" "QuietUninstallString" '"$INSTDIR\Deinstallieren.exe" /S'
  WriteRegDWORD HKCU "${DEINSTALLATION}" "NoModify" 1
  WriteRegDWORD HKCU "${DEINSTALLATION}" "NoRepair" 1
SectionEnd

; Only what the installer brought goes; the person's labels, their settings files and the registry values that
; point at them stay, and so do the folders that still hold them.
Section "Uninstall"
  !include "${LISTEN}\entfernen.nsh"
  Delete "$INSTDIR\Deinstallieren.exe"
  Delete "$SMPROGRAMS\Morvane.lnk"
  DeleteRegKey HKCU "${DEINSTALLATION}"
  RMDir "$INSTDIR"
SectionEnd
