; masqng-setup.exe: installs Masq NG for the current user, without administrator rights, into a
; program folder of the user's own, with a Start-menu entry and an uninstaller. Run over an
; installed copy (the update does exactly that) it first closes the running program.
;
; Built by installer/CMakeLists.txt:
;   makensis -DOUT_FILE=... -DSOURCE_DIR=... -DAPP_FOLDER=... -DAPP_EXE=masqng.exe
;            -DWARDEN_EXE=warden.exe -DSKIN_FILE=default.skn -DAPP_ICON=app.ico -DVERSION=1.84 masqng.nsi
; Silent use: "masqng-setup.exe /S [/D=folder]"; "uninstall.exe /S [/REMOVESETTINGS]".

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma
!addincludedir "${__FILEDIR__}"

!define PRODUCT "Masq NG"
!define PUBLISHER "Masq Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The program's autostart value, which the uninstaller removes.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; How the installer finds a running copy: its hidden main window (WM_CLOSE makes it exit cleanly:
; the browsers' proxy cleared, warden.exe ended) and its single-instance mutex, which exists until
; the process has ended; then the mutex of the program's watch (masqng.exe too), which outlives
; the program for a moment after an end that did not clear the browsers' proxy (the update's).
!define MAIN_WINDOW_CLASS "MasqNGMain"
!define MUTEX_NAME "Masq"
!define WATCH_MUTEX_NAME "MasqWatch"
!define CLOSE_WAIT_STEPS 120  ; of 250 ms: 30 s for the program to end

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include components.nsh

!define MUI_ICON "${APP_ICON}"
!define MUI_UNICON "${APP_ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\masqng.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Asks a running copy to exit and waits until it has ended; aborts when it is still running
; after the wait and the user does not retry (in silent mode: at once).
!macro CLOSE_RUNNING_PROGRAM prefix
Function ${prefix}CloseRunningProgram
    retry:
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    ${If} $0 <> 0
        SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    ${EndIf}
    StrCpy $1 0
    ${Do}
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${MUTEX_NAME}") p .r2'
        ${If} $2 P= 0
            System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${WATCH_MUTEX_NAME}") p .r2'
            ${If} $2 P= 0
                Return
            ${EndIf}
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r2)'
        ${If} $1 >= ${CLOSE_WAIT_STEPS}
            ${Break}
        ${EndIf}
        Sleep 250
        IntOp $1 $1 + 1
    ${Loop}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT} is still running. Please close it, then choose Retry." /SD IDCANCEL IDRETRY retry
    Abort
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_PROGRAM ""
!insertmacro CLOSE_RUNNING_PROGRAM "un."

Section "-Program"
    Call CloseRunningProgram
    SetOutPath "$INSTDIR"
    File "/oname=masqng.exe" "${APP_EXE}"
    File "/oname=warden.exe" "${WARDEN_EXE}"
    File "/oname=default.skn" "${SKIN_FILE}"
    !insertmacro InstallComponents
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\masqng.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\masqng.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "un.${PRODUCT}" UnProgram
    SectionIn RO
    Call un.CloseRunningProgram
    !insertmacro UninstallComponents
    Delete "$INSTDIR\masqng.exe"
    Delete "$INSTDIR\warden.exe"
    Delete "$INSTDIR\default.skn"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; The user's settings and activity log stay unless the user asks for their removal.
Section /o "un.My settings and activity log" UnSettings
    RMDir /r "$APPDATA\${PRODUCT}"
SectionEnd

Function un.onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVESETTINGS" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${UnSettings}
    ${EndIf}
FunctionEnd
