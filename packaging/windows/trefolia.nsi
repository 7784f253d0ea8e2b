; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer of Trefolia. make-installer.sh gives it
;   SOURCE   the folder laid out by build-windows.sh
;   OUTFILE  the installer to write
;   VERSION  the game's version
;   FILES    an include with a File line per file of SOURCE
;   REMOVE   an include with a Delete line per installed file and an RMDir
;            line per installed folder, deepest first
; It installs for the user alone (no administrator needed) or for every
; account (/ALLUSERS, or chosen on its first page): Start-menu entries for the
; game and one per shipped set, and an uninstaller that removes exactly the
; files it put there. Sets a teacher installs with trefolia-content live in
; %LOCALAPPDATA% or %ProgramData%, which it never touches.
; A 64-bit installer for a 64-bit game (and wine64 runs it without a 32-bit wine).
Target amd64-unicode
SetCompressor /SOLID lzma

!define APP "Trefolia"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Trefolia"
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP}"
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!include MultiUser.nsh
!include MUI2.nsh

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${APP} ${VERSION}"

!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_LICENSE "${SOURCE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\trefolia.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Polish"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd
Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Trefolia"
  SetOutPath "$INSTDIR"
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\odinstaluj.exe"

  ; The Start menu: the game (the fruit set, Base\), one entry per shipped
  ; set, the teachers' guide.
  CreateDirectory "$SMPROGRAMS\${APP}"
  CreateShortcut "$SMPROGRAMS\${APP}\Trefolia.lnk" "$INSTDIR\trefolia.exe"
  CreateShortcut "$SMPROGRAMS\${APP}\Trefolia - owoce.lnk" "$INSTDIR\trefolia.exe"
  CreateShortcut "$SMPROGRAMS\${APP}\Trefolia - zwierzęta.lnk" "$INSTDIR\trefolia.exe" "--set zwierzeta"
  CreateShortcut "$SMPROGRAMS\${APP}\Zestawy - przewodnik dla nauczycieli.lnk" \
    "$INSTDIR\Zestawy - przewodnik dla nauczycieli.txt"

  ; Programs and Features (per user or for every account, as installed).
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\trefolia.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\odinstaluj.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\odinstaluj.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; Only what the installer put here, file by file; a folder goes only when
  ; nothing else is left in it.
  !include "${REMOVE}"
  Delete "$INSTDIR\odinstaluj.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${APP}\Trefolia.lnk"
  Delete "$SMPROGRAMS\${APP}\Trefolia - owoce.lnk"
  Delete "$SMPROGRAMS\${APP}\Trefolia - zwierzęta.lnk"
  Delete "$SMPROGRAMS\${APP}\Zestawy - przewodnik dla nauczycieli.lnk"
  RMDir "$SMPROGRAMS\${APP}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
