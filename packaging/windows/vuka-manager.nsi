; The Windows installer of the editor, made with NSIS by tools/windows/pack.sh:
;   makensis -DVERSION=1.0 -DSOURCE=<program folder> -DFILES=<uninstall list>
;            -DOUTFILE=<setup.exe> vuka-manager.nsi
; Installs the program folder (the program, its DLLs and plug-ins, the catalogue
; version.ini beside the program) into %ProgramFiles%\vuka-manager or the folder
; given by /D=, adds a Start-menu entry and an entry in "Programs and Features"
; with the uninstaller. /S installs, and uninstalls, silently.
Unicode true
!include "MUI2.nsh"
!include "x64.nsh"

!define PRODUCT "Visual vuka.ini manager [ROVEL]"
!define MENU_FOLDER "$SMPROGRAMS\Visual vuka.ini manager"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\vuka-manager"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\vuka-manager"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File /r "${SOURCE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\Visual vuka.ini manager.lnk" "$INSTDIR\vuka-manager.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Visual vuka.ini manager maintainers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vuka-manager.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes exactly what was installed, so that a folder given with /D= keeps
; whatever else it holds.
Section "Uninstall"
  Delete "${MENU_FOLDER}\Visual vuka.ini manager.lnk"
  RMDir "${MENU_FOLDER}"
  !include "${FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
