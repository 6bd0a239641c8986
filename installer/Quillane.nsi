; The per-user installer of Quillane (초록우체통), made by scripts/windows.sh with
;   makensis -INPUTCHARSET UTF8 -DVERSION=52 -DFILE_LIST=<ProgramFiles.nsh>
;            -DPROGRAM_ICON=<Quillane.ico> -DOUTPUT=<Quillane-Setup.exe> installer/Quillane.nsi
; FILE_LIST holds the macros InstallProgramFiles and RemoveProgramFiles with the shipped files by
; name. No elevation: the program lives in the user's own folders and registry.
;
;   Quillane-Setup.exe [/S] [/D=C:\약국 프로그램\Quillane]
;   Uninstall.exe [/S]         (silent removal keeps quillane.ini)

Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include "${FILE_LIST}"

!define TITLE "초록우체통"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillane"
; The program's own names: its autostart value, its desktop link, its single-instance mutex and
; the class of its hidden native window, which takes the session's end.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "QUILLANE"
!define DESKTOP_LINK "$DESKTOP\${TITLE}.lnk"
!define INSTANCE_MUTEX "Quillane"
!define INSTANCE_WINDOW_CLASS "Tfrm_Quillane_Main"
; The program folder's list of the files that updates added (UTF-16LE, one name a line).
!define ADDED_FILES "Quillane.files"
; The argument that brings a running copy's main screen up, as the desktop link passes it.
!define SHOW_ARGUMENT "C:\Windows\win.ini"
!define SYNCHRONIZE 0x00100000
!define ENDSESSION_CLOSEAPP 0x1
; How long the installer waits for a running copy to end: 40 looks, 250 ms apart.
!define END_WAIT_LOOKS 40

Name "${TITLE}"
OutFile "${OUTPUT}"
InstallDir "$LOCALAPPDATA\Programs\Quillane"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Quillane ${VERSION}"

!define MUI_ICON "${PROGRAM_ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Quillane.exe"
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Korean"

VIProductVersion "${VERSION}.0.0.0"
VIAddVersionKey /LANG=${LANG_KOREAN} "ProductName" "Quillane"
VIAddVersionKey /LANG=${LANG_KOREAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_KOREAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_KOREAN} "FileDescription" "Quillane setup"
VIAddVersionKey /LANG=${LANG_KOREAN} "LegalCopyright" ""

LangString RunningQuestion ${LANG_KOREAN} "${TITLE}이(가) 실행 중입니다.$\r$\n프로그램을 끝내고 계속할까요?"
LangString StillRunning ${LANG_KOREAN} "${TITLE}을(를) 끝내지 못했습니다.$\r$\n프로그램을 끝낸 뒤 다시 실행해 주십시오."
LangString ProgramSection ${LANG_KOREAN} "프로그램"
LangString SettingsSection ${LANG_KOREAN} "설정 파일 (quillane.ini)"

; A running copy holds the mutex. It is asked to end as at the end of the Windows session, which
; it answers with its "off" reports before it ends; then the mutex goes. In silent mode nobody is
; asked. A copy that does not end stops the installer.
!macro END_RUNNING_COPY prefix
Function ${prefix}IsRunning
    System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${INSTANCE_MUTEX}") p .r0'
    ${If} $0 P<> 0
        System::Call 'kernel32::CloseHandle(p r0)'
        StrCpy $0 1
    ${EndIf}
FunctionEnd

Function ${prefix}EndRunningCopy
    Call ${prefix}IsRunning
    ${If} $0 = 0
        Return
    ${EndIf}
    MessageBox MB_OKCANCEL|MB_ICONQUESTION "$(RunningQuestion)" /SD IDOK IDOK +2
    Abort
    FindWindow $1 "${INSTANCE_WINDOW_CLASS}"
    ${If} $1 P<> 0
        SendMessage $1 ${WM_QUERYENDSESSION} 0 ${ENDSESSION_CLOSEAPP} $2 /TIMEOUT=5000
        ${If} $2 <> 0
            SendMessage $1 ${WM_ENDSESSION} 1 ${ENDSESSION_CLOSEAPP} $2 /TIMEOUT=5000
        ${EndIf}
    ${EndIf}
    StrCpy $3 0
    ${Do}
        Call ${prefix}IsRunning
        ${If} $0 = 0
            Return
        ${EndIf}
        Sleep 250
        IntOp $3 $3 + 1
    ${LoopUntil} $3 >= ${END_WAIT_LOOKS}
    MessageBox MB_OK|MB_ICONSTOP "$(StillRunning)" /SD IDOK
    SetErrorLevel 2
    Quit
FunctionEnd
!macroend
!insertmacro END_RUNNING_COPY ""
!insertmacro END_RUNNING_COPY "un."

; A folder outside the user's profile (/D=C:\약국 프로그램\Quillane) would inherit from the drive's
; root the right of every signed-in user to change the files made in it, and the program would
; then refuse to hand over to its updater. The highest folder that the installer makes there (the
; program folder itself when it exists) gets an access list of its own: the user, SYSTEM and
; the Administrators, nothing inherited; the folders and files in it inherit that list.
Var ProtectedFolder

Function FindHighestNewFolder
    StrCpy $ProtectedFolder "$INSTDIR"
    ${Do}
        ${GetParent} "$ProtectedFolder" $0
        ${If} $0 == ""
        ${OrIf} ${FileExists} "$0\*.*"
            ${Break}
        ${EndIf}
        StrCpy $ProtectedFolder $0
    ${Loop}
FunctionEnd

Function ProtectFolderOutsideProfile
    StrLen $0 "$PROFILE\"
    StrCpy $1 "$INSTDIR" $0
    ${If} $1 == "$PROFILE\"
        Return
    ${EndIf}
    ExpandEnvStrings $2 "%USERDOMAIN%\%USERNAME%"
    nsExec::ExecToLog '"$SYSDIR\icacls.exe" "$ProtectedFolder" /inheritance:r /grant:r \
        "$2:(OI)(CI)F" "*S-1-5-18:(OI)(CI)F" "*S-1-5-32-544:(OI)(CI)F"'
    Pop $0
    ${If} $0 != 0
        DetailPrint "icacls: $0"
    ${EndIf}
FunctionEnd

; Installing over a copy replaces the program's files; its quillane.ini is not among them.
Section "Install"
    SectionIn RO
    Call EndRunningCopy
    Call FindHighestNewFolder
    CreateDirectory "$INSTDIR"
    Call ProtectFolderOutsideProfile
    !insertmacro InstallProgramFiles
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${TITLE}.lnk" "$INSTDIR\Quillane.exe" "${SHOW_ARGUMENT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${TITLE}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quillane.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Whether $1 is a name the list of added files may give: a plain name of a file right in the
; program folder, never the settings, the uninstaller, a wildcard, an 8.3 alias (~) or a name that
; Windows would shorten (a dot or a space at the end). The answer is in $2 (1 or 0).
Function un.IsPlainName
    StrCpy $2 0
    ${If} $1 == ""
    ${OrIf} $1 == "quillane.ini"
    ${OrIf} $1 == "Uninstall.exe"
        Return
    ${EndIf}
    StrCpy $3 $1 1 -1
    ${If} $3 == "."
    ${OrIf} $3 == " "
        Return
    ${EndIf}
    StrCpy $4 0
    ${Do}
        StrCpy $3 $1 1 $4
        ${If} $3 == ""
            ${Break}
        ${EndIf}
        ${If} $3 == "\"
        ${OrIf} $3 == "/"
        ${OrIf} $3 == ":"
        ${OrIf} $3 == "*"
        ${OrIf} $3 == "?"
        ${OrIf} $3 == '"'
        ${OrIf} $3 == "<"
        ${OrIf} $3 == ">"
        ${OrIf} $3 == "|"
        ${OrIf} $3 == "~"
        ${OrIf} $3 == "$\t"
            Return
        ${EndIf}
        StrCpy $3 $1 2 $4
        ${If} $3 == ".."
            Return
        ${EndIf}
        IntOp $4 $4 + 1
    ${Loop}
    StrCpy $2 1
FunctionEnd

; Removes the files that updates added to the program folder, as its list names them, then the
; list. A name the list should not hold is left alone.
Function un.RemoveAddedFiles
    ClearErrors
    FileOpen $0 "$INSTDIR\${ADDED_FILES}" r
    ${If} ${Errors}
        Return
    ${EndIf}
    FileReadWord $0 $1
    ${If} $1 <> 65279
        FileSeek $0 0 SET
    ${EndIf}
    ${Do}
        ClearErrors
        FileReadUTF16LE $0 $1
        ${If} ${Errors}
            ${Break}
        ${EndIf}
        ${Do}
            StrCpy $2 $1 1 -1
            ${If} $2 != "$\r"
            ${AndIf} $2 != "$\n"
                ${Break}
            ${EndIf}
            StrCpy $1 $1 -1
        ${Loop}
        Call un.IsPlainName
        ${If} $2 = 1
            Delete "$INSTDIR\$1"
        ${EndIf}
    ${Loop}
    FileClose $0
    Delete "$INSTDIR\${ADDED_FILES}"
    Delete "$INSTDIR\${ADDED_FILES}.part"
FunctionEnd

; Removes what the installer installed, by name, what updates added, and what the program made
; outside its folder; the folder itself only when nothing else is left in it.
Section "un.$(ProgramSection)" UnProgram
    SectionIn RO
    Call un.EndRunningCopy
    !insertmacro RemoveProgramFiles
    Call un.RemoveAddedFiles
    ; A running file an update replaced is moved aside, and a cut swap leaves its new file beside
    ; the target; the next update would remove either.
    Delete "$INSTDIR\.*.quillane-old"
    Delete "$INSTDIR\.*.quillane-new"
    Delete "$INSTDIR\Uninstall.exe"
    Delete "$SMPROGRAMS\${TITLE}.lnk"
    Delete "${DESKTOP_LINK}"
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; Unticked unless the user ticks it, so a silent removal keeps the settings.
Section /o "un.$(SettingsSection)" UnSettings
    Delete "$INSTDIR\quillane.ini"
SectionEnd

Section "-un.Folder"
    RMDir "$INSTDIR"
SectionEnd
