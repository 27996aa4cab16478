; The Windows installer: the portable folder's program installed per machine under Program Files, its
; default data kept apart (share\qv-md\Data) so that the program keeps the operator's logs in
; %LOCALAPPDATA%\QV_md, seeded from those defaults on its first start.
; makensis -DVERSION=x.y.z -DSOURCE=<portable folder> -DICON=<QV_md.ico> -DOUTFILE=<setup.exe> QV_md.nsi

; A 64-bit installer for a 64-bit program (and Wine without its 32-bit half runs it too).
Target amd64-unicode
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!ifndef VERSION | SOURCE | ICON | OUTFILE
  !error "VERSION, SOURCE, ICON and OUTFILE must be defined"
!endif

!define NAME "QV_md"
!define PUBLISHER "QV radio group"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QV_md"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\QV_md"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
; Per machine: every operator of the station's computer finds it, and Program Files keeps it safe from
; being changed by mistake; the logs go to each user's own folder.
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ManifestDPIAware true

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${NAME}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${NAME} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\bin\QV_md.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_UNPAGE_FINISH

; The first language is the default; an Italian Windows gets the Italian pages without being asked.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Italian"

LangString ShortcutName ${LANG_ENGLISH} "QV_md - Marigold Day logbook"
LangString ShortcutName ${LANG_ITALIAN} "QV_md - Registro del Marigold Day"
LangString KeptNote ${LANG_ENGLISH} "Your logs, backups and station files are kept in $LOCALAPPDATA\QV_md."
LangString KeptNote ${LANG_ITALIAN} "I tuoi log, le copie e i dati della stazione restano in $LOCALAPPDATA\QV_md."
LangString NeedsWindows64 ${LANG_ENGLISH} "QV_md needs a 64-bit Windows."
LangString NeedsWindows64 ${LANG_ITALIAN} "QV_md richiede Windows a 64 bit."

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "$(NeedsWindows64)" /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "QV_md" SectionProgram
  SectionIn RO
  SetShellVarContext all
  ; A newer version replaces the program whole, so no library of the older one stays behind; the user's
  ; data never lives here. Only a folder this installer made is emptied.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    RMDir /r "$INSTDIR\bin"
    RMDir /r "$INSTDIR\share"
  ${EndIf}

  SetOutPath "$INSTDIR\bin"
  File /r /x Data /x Logs /x Backup "${SOURCE}\*.*"
  File "/oname=QV_md.ico" "${ICON}"
  SetOutPath "$INSTDIR\share\qv-md\Data"
  File /r "${SOURCE}\Data\*.*"

  SetOutPath "$INSTDIR\bin"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\$(ShortcutName).lnk" "$INSTDIR\bin\QV_md.exe" "" "$INSTDIR\bin\QV_md.ico" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\bin\QV_md.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "ShortcutName" "$(ShortcutName)"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  DetailPrint "$(KeptNote)"
SectionEnd

; Only what the installer put down; the operator's own folder is never touched.
Section "Uninstall"
  SetShellVarContext all
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "ShortcutName"
  ${If} $0 != ""
    Delete "$SMPROGRAMS\$0.lnk"
  ${EndIf}
  Delete "$SMPROGRAMS\$(ShortcutName).lnk"
  RMDir /r "$INSTDIR\bin"
  RMDir /r "$INSTDIR\share"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DetailPrint "$(KeptNote)"
SectionEnd
