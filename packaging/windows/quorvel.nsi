; The Windows installer: installs the game for the current user (the default) or for
; every user of the machine, with a Start-menu entry and an uninstaller that Apps &
; features lists. The uninstaller keeps the player's settings and replays
; (%APPDATA%\Quorvel) unless asked to remove them too.
;
; Built by the Windows build (cmake/windows.cmake):
;   makensis -DVERSION=0.5.0 -DCOPYRIGHT=<line> -DHOMEPAGE=<url> -DFILES=<folder>
;            -DOUTFILE=<setup.exe> quorvel.nsi
; where <folder> holds quorvel.ico and what is installed: quorvel.exe, LICENSE.txt,
; README.txt, CHANGELOG.txt and the licences of built-in libraries (LICENSE-*.txt).
;
; Command line: /S installs or removes silently; /CurrentUser or /AllUsers chooses for
; whom (installing) or which installation (removing); the uninstaller's
; /RemoveSettings removes the settings and replays as well.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define NAME "Quorvel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel"
; Where the installer remembers its folder, for the next installation and the uninstaller.
!define INSTALL_KEY "Software\Quorvel"

Name "${NAME}"
OutFile "${OUTFILE}"
BrandingText "${NAME} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${NAME}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${NAME} installer"
VIAddVersionKey "LegalCopyright" "${COPYRIGHT}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${NAME}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${INSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${INSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include Sections.nsh

!define MUI_ICON "${FILES}\quorvel.ico"
!define MUI_UNICON "${FILES}\quorvel.ico"
!define MUI_ABORTWARNING

; MIT asks nothing of a player, so the licence is shown with a plain Next.
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Quorvel is free software under the MIT licence: you may use, copy, change and share it."
!insertmacro MUI_PAGE_LICENSE "${FILES}\LICENSE.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\quorvel.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "Your settings and replays stay in %APPDATA%\Quorvel for the next time you install Quorvel, unless you tick them here."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The command line that removes this installation, for Apps & features.
Var UninstallCommand

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Section "Quorvel" SectionGame
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${FILES}\quorvel.exe"
  File "${FILES}\LICENSE.txt" "${FILES}\README.txt" "${FILES}\CHANGELOG.txt"
  !if /FileExists "${FILES}\LICENSE-*.txt"
    File "${FILES}\LICENSE-*.txt"
  !endif
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\quorvel.exe"

  ; SHCTX is HKLM for all users and HKCU for the current user (MultiUser's shell context).
  WriteRegStr SHCTX "${INSTALL_KEY}" "InstallLocation" "$INSTDIR"
  StrCpy $UninstallCommand '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quorvel.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The Quorvel developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" "$UninstallCommand"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" "$UninstallCommand /S"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "-un.Quorvel"
  Delete "$SMPROGRAMS\${NAME}.lnk"
  Delete "$INSTDIR\quorvel.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\CHANGELOG.txt"
  Delete "$INSTDIR\LICENSE-*.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; A per-user installation made the user's program folder; it goes when nothing else is there.
  ${If} $MultiUser.InstallMode == "CurrentUser"
    RMDir "$LOCALAPPDATA\Programs"
  ${EndIf}
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  DeleteRegKey SHCTX "${INSTALL_KEY}"
SectionEnd

; The settings are the player's own, wherever the game was installed.
Section /o "un.Your settings and replays" SectionSettings
  SetShellVarContext current
  RMDir /r "$APPDATA\Quorvel"
SectionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/RemoveSettings" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SectionSettings}
  ${EndIf}
FunctionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionSettings} "Removes %APPDATA%\Quorvel: the players, controls and sides you chose, and your replays."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
