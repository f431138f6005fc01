; Tarvolin's installer, built by installer/make-installer (scripts/build installer).
; makensis defines: VERSION (from the top CMakeLists.txt), BIN (the win build's bin folder),
; OUTFILE, and at most one of VIRTUAL_KEYBOARD (ship our Quorlink.dll with vkbhost.exe and
; vkbctl.exe) and QUORLINK_DLL (a path to the vendor's Quorlink.dll to ship). With neither, the
; program relies on the vendor's HID service having put Quorlink.dll on the library search path.
; A 64-bit installer for the 64-bit program: Program Files, System32 and the registry are the
; native ones, without redirection.
Target amd64-unicode
!ifndef VERSION | BIN | OUTFILE
  !error "VERSION, BIN and OUTFILE must be defined"
!endif

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"

!define PRODUCT "Tarvolin"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvolin"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define MUTEX "Tarvolin_Mutex_RT207 104key"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey "CompanyName" "${PRODUCT}"
VIAddVersionKey "LegalCopyright" ""

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tarvolin.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Ends a running Tarvolin the way the program itself offers ("/Kill") and waits until its
; single-instance mutex is gone, so its files are free to replace or delete. $0: the folder.
!macro StopRunningProgram un
Function ${un}StopRunningProgram
  IfFileExists "$0\Tarvolin.exe" 0 done
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${MUTEX}") p.r1'
  ${If} $1 P= 0
    Goto program_ended
  ${EndIf}
  System::Call 'kernel32::CloseHandle(p r1)'
  DetailPrint "Ending the running ${PRODUCT}"
  ExecWait '"$0\Tarvolin.exe" /Kill'
  StrCpy $2 0
  ${Do}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${MUTEX}") p.r1'
    ${If} $1 P= 0
      ${Break}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r1)'
    IntOp $2 $2 + 1
    ${If} $2 > 300
      MessageBox MB_OK|MB_ICONEXCLAMATION "${PRODUCT} did not end. Please exit it from its tray menu and try again." /SD IDOK
      Abort
    ${EndIf}
    Sleep 100
  ${Loop}
  ; The companion Halvrin.exe ends with the program; its file stays locked until it has.
  StrCpy $2 0
  ${Do}
    ClearErrors
    FileOpen $1 "$0\Halvrin.exe" a
    ${IfNot} ${Errors}
      FileClose $1
      ${Break}
    ${EndIf}
    IfFileExists "$0\Halvrin.exe" 0 program_ended
    IntOp $2 $2 + 1
    ${If} $2 > 300
      ${Break}
    ${EndIf}
    Sleep 100
  ${Loop}
program_ended:
  ; The virtual keyboard's host (of a virtual-keyboard install) outlives the program; it saves
  ; its state when told to end.
  IfFileExists "$0\vkbctl.exe" 0 done
  ExecWait '"$0\vkbctl.exe" shutdown'
  StrCpy $2 0
  ${Do}
    ClearErrors
    FileOpen $1 "$0\vkbhost.exe" a
    ${IfNot} ${Errors}
      FileClose $1
      ${Break}
    ${EndIf}
    IfFileExists "$0\vkbhost.exe" 0 done
    IntOp $2 $2 + 1
    ${If} $2 > 300
      ${Break}
    ${EndIf}
    Sleep 100
  ${Loop}
done:
FunctionEnd
!macroend
!insertmacro StopRunningProgram ""
!insertmacro StopRunningProgram "un."

Section "${PRODUCT}" SectionProgram
  SectionIn RO
  SetShellVarContext all
  StrCpy $0 $INSTDIR
  Call StopRunningProgram
  SetOutPath "$INSTDIR"
  File "${BIN}\Tarvolin.exe"
  File "${BIN}\Halvrin.exe"
!ifdef VIRTUAL_KEYBOARD
  File "${BIN}\Quorlink.dll"
  File "${BIN}\vkbhost.exe"
  File "${BIN}\vkbctl.exe"
!else ifdef QUORLINK_DLL
  File "/oname=Quorlink.dll" "${QUORLINK_DLL}"
!else
  ; Our own Quorlink.dll from an earlier virtual-keyboard install (vkbhost.exe beside it tells it
  ; apart from a vendor's one put here by hand) would hide the vendor's one on the search path.
  ${If} ${FileExists} "$INSTDIR\vkbhost.exe"
    Delete "$INSTDIR\Quorlink.dll"
    Delete "$INSTDIR\vkbhost.exe"
    Delete "$INSTDIR\vkbctl.exe"
    Delete "$INSTDIR\vkb-state.bin"
  ${EndIf}
  ${IfNot} ${FileExists} "$SYSDIR\Quorlink.dll"
  ${AndIfNot} ${FileExists} "$INSTDIR\Quorlink.dll"
    MessageBox MB_OK|MB_ICONEXCLAMATION "The keyboard's HID service (Quorlink.dll) was not found.$\r$\n${PRODUCT} cannot start until it is installed." /SD IDOK
  ${EndIf}
!endif
  SetOutPath "$INSTDIR\Skins"
  File /r "${BIN}\Skins\*"
  SetOutPath "$INSTDIR\Help"
  File /r "${BIN}\Help\*"
  SetOutPath "$INSTDIR"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Tarvolin.exe" "" "$INSTDIR\Tarvolin.exe" 0

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tarvolin.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Start with Windows (in the tray)" SectionAutostart
  WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\Tarvolin.exe" /Start'
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} "The program, its skin and its user guide."
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionAutostart} "Start ${PRODUCT} hidden in the tray when you sign in."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; Removes only what this installer put there (a Quorlink.dll placed by hand stays, and with it
; the folder): the profiles in Documents\Tarvolin and the
; settings under HKCU\Software\Tarvolin_Pelmora belong to the user and stay.
Section "Uninstall"
  SetShellVarContext all
  StrCpy $0 $INSTDIR
  Call un.StopRunningProgram
  Delete "$INSTDIR\Tarvolin.exe"
  Delete "$INSTDIR\Halvrin.exe"
!ifdef VIRTUAL_KEYBOARD | QUORLINK_DLL
  Delete "$INSTDIR\Quorlink.dll"
!endif
!ifdef VIRTUAL_KEYBOARD
  ; The virtual keyboard and the memory it keeps beside itself.
  Delete "$INSTDIR\vkbhost.exe"
  Delete "$INSTDIR\vkbctl.exe"
  Delete "$INSTDIR\vkb-state.bin"
!endif
  RMDir /r "$INSTDIR\Skins"
  RMDir /r "$INSTDIR\Help"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
