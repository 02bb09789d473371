; BrivaneSetup.exe: installs Brivane into Program Files\Brivane, registers the shell extension through
; the setup helper, opens ".qxenc" files with BrivaneDecrypt.exe, and registers its uninstaller with
; Windows. Built by makensis during the normal build (installer/CMakeLists.txt), which defines
;   VERSION       the product version, e.g. 2.2.0
;   SHIP_DIR      the folder of the stripped binaries
;   HELP_FILE     BrivaneHelp.chm
;   ICON_FILE     the product icon
;   OUT_FILE      the installer to write
;   WITH_UPDATER  defined when BrivaneUpdater.exe is built
; Both the installer and the uninstaller run silently with /S.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Brivane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brivane"
!define FILE_CLASS "Brivane.EncryptedFile"
!define SHCNE_ASSOCCHANGED 0x08000000

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} Setup"
UninstallCaption "${PRODUCT} ${VERSION} Uninstall"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PRODUCT}"

!define MUI_ICON "${ICON_FILE}"
!define MUI_UNICON "${ICON_FILE}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_NOAUTOCLOSE
!define MUI_UNFINISHPAGE_NOAUTOCLOSE
!define MUI_WELCOMEPAGE_TEXT "This will install ${PRODUCT} ${VERSION}, the file utilities of the Explorer context menu.$\r$\n$\r$\nAfter setup, right-click files or folders in Explorer and point to Brivane. Double-clicking an encrypted (.qxenc) file asks for its password and opens it.$\r$\n$\r$\nClick Next to continue."
!define MUI_FINISHPAGE_TEXT "${PRODUCT} is installed. Right-click files or folders in Explorer and point to Brivane.$\r$\n$\r$\nHelp > Contents in the Brivane menu opens the manual."
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\BrivaneHelp.chm"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Read the Brivane manual"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The files of a complete install, for the rollback and the uninstaller.
!macro RemoveProgramFiles
  Delete /REBOOTOK "$INSTDIR\Brivane.dll"
  Delete "$INSTDIR\BrivaneSetupHelper.exe"
  Delete "$INSTDIR\BrivaneDecrypt.exe"
  Delete "$INSTDIR\BrivaneUpdater.exe"
  Delete "$INSTDIR\BrivaneHelp.chm"
!macroend

!macro NotifyAssociationsChanged
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
!macroend

; The ".qxenc" association, removed only while it is still ours.
!macro RemoveAssociation
  ReadRegStr $1 HKCR ".qxenc" ""
  ${If} $1 == "${FILE_CLASS}"
    DeleteRegKey HKCR ".qxenc"
  ${EndIf}
  DeleteRegKey HKCR "${FILE_CLASS}"
!macroend

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "${PRODUCT} needs 64-bit Windows." /SD IDOK
    SetErrorLevel 4
    Abort
  ${EndIf}
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Brivane" SecMain
  SectionIn RO
  ; The outermost folder this install creates, which a rollback removes again when it is empty.
  StrCpy $R9 "$INSTDIR"
  ${Do}
    ${GetParent} "$R9" $R8
    ${If} $R8 == ""
    ${OrIf} ${FileExists} "$R8\*.*"
      ${ExitDo}
    ${EndIf}
    StrCpy $R9 $R8
  ${Loop}
  SetOutPath "$INSTDIR"

  ; Explorer keeps the library of an earlier version loaded: move it aside (allowed while it is in
  ; use) and have it deleted when Windows restarts.
  ${If} ${FileExists} "$INSTDIR\Brivane.dll"
    ClearErrors
    Delete "$INSTDIR\Brivane.dll"
    ${If} ${Errors}
      GetTempFileName $0 "$INSTDIR"
      Delete "$0"
      Rename "$INSTDIR\Brivane.dll" "$0"
      Delete /REBOOTOK "$0"
    ${EndIf}
  ${EndIf}

  File "${SHIP_DIR}\Brivane.dll"
  File "${SHIP_DIR}\BrivaneSetupHelper.exe"
  File "${SHIP_DIR}\BrivaneDecrypt.exe"
!ifdef WITH_UPDATER
  File "${SHIP_DIR}\BrivaneUpdater.exe"
!endif
  File "${HELP_FILE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; Encrypted files open with the opener.
  WriteRegStr HKCR ".qxenc" "" "${FILE_CLASS}"
  WriteRegStr HKCR "${FILE_CLASS}" "" "${PRODUCT} Encrypted File"
  WriteRegStr HKCR "${FILE_CLASS}\DefaultIcon" "" '"$INSTDIR\BrivaneDecrypt.exe",0'
  WriteRegStr HKCR "${FILE_CLASS}\shell\open\command" "" '"$INSTDIR\BrivaneDecrypt.exe" "%1"'

  ; The helper registers the shell extension and tells Explorer that associations changed. It exits
  ; with the registration tool's code: anything but 0 is a failed install, undone here.
  DetailPrint "Registering the ${PRODUCT} shell extension..."
  ClearErrors
  ExecWait '"$INSTDIR\BrivaneSetupHelper.exe" /Install "$INSTDIR\"' $0
  ${If} ${Errors}
  ${OrIf} $0 != 0
    DetailPrint "Registration failed (code $0)."
    ExecWait '"$INSTDIR\BrivaneSetupHelper.exe" Rollback "$INSTDIR\"'
    !insertmacro RemoveAssociation
    !insertmacro RemoveProgramFiles
    Delete "$INSTDIR\Uninstall.exe"
    SetOutPath "$TEMP"  ; the folder cannot go while it is the working folder
    StrCpy $R8 "$INSTDIR"
    ${Do}
      RMDir "$R8"
      ${IfThen} $R8 == $R9 ${|} ${ExitDo} ${|}
      ${GetParent} "$R8" $R8
    ${LoopUntil} $R8 == ""
    !insertmacro NotifyAssociationsChanged
    MessageBox MB_ICONSTOP "The ${PRODUCT} shell extension could not be registered (code $0).$\r$\n$\r$\nSetup has removed what it installed." /SD IDOK
    SetErrorLevel 3
    Abort "The ${PRODUCT} shell extension could not be registered (code $0)."
  ${EndIf}

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\BrivaneDecrypt.exe",0'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  IntFmt $1 "0x%08X" $1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1
SectionEnd

; The user's own settings under HKEY_CURRENT_USER\Software\Brivane stay for a later install.
Section "Uninstall"
  DetailPrint "Unregistering the ${PRODUCT} shell extension..."
  ClearErrors
  ExecWait '"$INSTDIR\BrivaneSetupHelper.exe" /Uninstall "$INSTDIR\"' $0
  ${If} ${Errors}
  ${OrIf} $0 != 0
    DetailPrint "The shell extension could not be unregistered (code $0)."
    MessageBox MB_ICONEXCLAMATION "The ${PRODUCT} shell extension could not be unregistered (code $0). Its files are removed all the same." /SD IDOK
    SetErrorLevel 3
  ${EndIf}

  !insertmacro RemoveAssociation
  !insertmacro NotifyAssociationsChanged
  !insertmacro RemoveProgramFiles
  Delete "$INSTDIR\Uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
