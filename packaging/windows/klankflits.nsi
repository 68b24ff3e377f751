; The Windows installer: a 64-bit NSIS installer in Dutch that installs the
; program for all users into "Program Files\Klankflits", adds a Start-menu
; entry and registers its uninstaller with Windows' list of installed programs.
; "/S" installs and uninstalls without asking anything.
;
; Made by the dist target of the windows-mingw build (cmake/WindowsDist.cmake),
; which passes:
;   VERSION     the program's version, such as 1.0.0
;   FILES       an include file with the macros InstallFiles and UninstallFiles,
;               written from the folder that is installed
;   LICENSE     the license text shown before installing
;   ICON        the program's icon
;   OUTFILE     the installer to make

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "x64.nsh"
!include "${FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Klankflits"

Name "Klankflits"
BrandingText "Klankflits ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Klankflits"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1043 "ProductName" "Klankflits"
VIAddVersionKey /LANG=1043 "FileDescription" "Klankflits installeren"
VIAddVersionKey /LANG=1043 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1043 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1043 "LegalCopyright" "GNU General Public License, versie 3"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\klankflits.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Dutch"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "Klankflits werkt alleen op 64-bit Windows." /SD IDOK
        Abort
    ${EndIf}
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "Klankflits"
    !insertmacro InstallFiles
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateDirectory "$SMPROGRAMS\Klankflits"
    CreateShortcut "$SMPROGRAMS\Klankflits\Klankflits.lnk" "$INSTDIR\klankflits.exe" "" \
        "$INSTDIR\klankflits.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Klankflits"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$\"$INSTDIR\klankflits.exe$\",0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Klankflits developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\uninstall.exe$\""
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\uninstall.exe$\" /S"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    SectionGetSize 0 $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\Klankflits\Klankflits.lnk"
    RMDir "$SMPROGRAMS\Klankflits"
    !insertmacro UninstallFiles
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
