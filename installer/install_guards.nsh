; What installer/lyrics-tools.nsi does before it writes or removes a file: the log, the checks
; that no program of the install runs (Orlisk is asked to end), and the check of the folder chosen.
; Included by that script after its defines and variables.

; Appends one line to the log, and shows it in the details.
!macro DefineLog un
Function ${un}Log
  Exch $0
  Push $1
  DetailPrint "$0"
  ClearErrors
  FileOpen $1 "$LogFile" a
  ${IfNot} ${Errors}
    FileSeek $1 0 END
    FileWrite $1 "${PRODUCT} ${VERSION}: $0$\r$\n"
    FileClose $1
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro DefineLog ""
!insertmacro DefineLog "un."
!macro Log un text
  Push "${text}"
  Call ${un}Log
!macroend

; Reads /LOG= from the command line into $LogFile.
!macro ReadLogSwitch
  ; The copies earlier in-place uninstalls left in the temporary folder, each ended with its uninstall.
  Delete "$TEMP\${PRODUCT} uninstall *.exe"
  StrCpy $LogFile "$TEMP\${PRODUCT} setup.log"
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/LOG=" $1
  ${IfNot} ${Errors}
  ${AndIf} $1 != ""
    StrCpy $LogFile $1
  ${EndIf}
!macroend

; Sets $0 to the first of the programs named on the stack (each name followed by "|") in
; $INSTDIR whose file cannot be opened for writing (it runs: Windows keeps a running program's
; file from being written or removed), or to "".
!macro DefineProgramInUse un
Function ${un}ProgramInUse
  Exch $1
  Push $2
  Push $3
  StrCpy $0 ""
  ${Do}
    ${WordFind} $1 "|" "+1{" $2
    ${WordFind} $1 "|" "+1}" $1
    ${If} $2 == ""
    ${OrIf} $2 == $1
      ${Break}
    ${EndIf}
    ${If} ${FileExists} "$INSTDIR\$2"
      ; GENERIC_WRITE, every sharing mode, OPEN_EXISTING
      StrCpy $3 "$INSTDIR\$2"
      System::Call "kernel32::CreateFileW(w r3, i 0x40000000, i 7, p 0, i 3, i 0, p 0) p .r3"
      ${If} $3 P= -1
        StrCpy $0 $2
        ${Break}
      ${EndIf}
      System::Call "kernel32::CloseHandle(p r3)"
    ${EndIf}
  ${Loop}
  Pop $3
  Pop $2
  Pop $1
FunctionEnd
!macroend

; Ends a running Orlisk the way its "Exit Program" button does, so that it saves its settings
; first, and waits (bounded) until its process is gone and its files can be replaced or removed.
; A click on the button, sent to the window, is the one way in that needs nothing of Orlisk beyond
; what a user can do. Sets $0 to "ok" when no Orlisk runs any more.
!macro DefineCloseOrlisk un
Function ${un}CloseOrlisk
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $4 0
  ${Do}
    FindWindow $1 "${ORLISK_CLASS}"
    ${If} $1 == 0
      StrCpy $0 "ok"
      ${Break}
    ${EndIf}
    ${If} $4 >= 3
      StrCpy $0 "running"
      ${Break}
    ${EndIf}
    IntOp $4 $4 + 1
    DetailPrint "Closing Orlisk (it saves its settings first)"
    ; The process handle is taken before the click, so that the wait is for this very process.
    System::Call "user32::GetWindowThreadProcessId(p r1, *i .r2) i"
    System::Call "kernel32::OpenProcess(i 0x00100000, i 0, i r2) p .r3"  ; SYNCHRONIZE
    ; WM_COMMAND with BN_CLICKED (0) in the high word and the button's id in the low word.
    SendMessage $1 ${WM_COMMAND} ${ORLISK_EXIT_ID} 0 /TIMEOUT=5000
    ${If} $3 P<> 0
      System::Call "kernel32::WaitForSingleObject(p r3, i 10000) i"
      System::Call "kernel32::CloseHandle(p r3)"
    ${Else}
      Sleep 2000
    ${EndIf}
  ${Loop}
  Pop $4
  Pop $3
  Pop $2
  Pop $1
FunctionEnd
!macroend
!insertmacro DefineCloseOrlisk ""
!insertmacro DefineCloseOrlisk "un."
!insertmacro DefineProgramInUse ""
!insertmacro DefineProgramInUse "un."

; Closes Orlisk or gives up: asks the user to retry, or ends the run with an error when silent.
!macro EnsureOrliskClosed un
  ${Do}
    Call ${un}CloseOrlisk
    ${If} $0 == "ok"
      ${Break}
    ${EndIf}
    ${If} ${Silent}
      !insertmacro Log "${un}" "Orlisk is still running from $INSTDIR and does not close: nothing was changed."
      SetErrorLevel ${EXIT_IN_USE}
      Abort "Orlisk is still running."
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Orlisk is still running and does not close.$\r$\nEnd it with Exit in its tray menu, then click Retry." IDRETRY +2
    Abort "Orlisk is still running."
  ${Loop}
!macroend

; Goes on only once none of the programs named runs: Match and lyrics.exe are the user's to end.
; Silent, a program still running ends the run before anything is written or removed.
!macro EnsureProgramsFree un names
  ${Do}
    Push "${names}"
    Call ${un}ProgramInUse
    ${If} $0 == ""
      ${Break}
    ${EndIf}
    ${If} ${Silent}
      !insertmacro Log "${un}" "$INSTDIR\$0 is running: nothing was changed. Close it and run this again."
      SetErrorLevel ${EXIT_IN_USE}
      Abort "$0 is running."
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$INSTDIR\$0 is running.$\r$\nClose it, then click Retry." IDRETRY +2
    Abort "$0 is running."
  ${Loop}
!macroend

; Sets $0 to why $INSTDIR may not take this install, or to "" when it may: the folder of the
; existing install, or a folder holding none of the names Setup writes.
Function FolderRefusal
  Push $1
  Push $2
  StrCpy $0 ""
  ${If} $ExistingFolder != ""
    ${If} $INSTDIR != $ExistingFolder
      StrCpy $0 "${PRODUCT} is installed in $ExistingFolder, and is upgraded there. To move it, uninstall it first."
    ${EndIf}
  ${Else}
    StrCpy $1 "${INSTALLED_FILES}"
    ${Do}
      ${WordFind} $1 "|" "+1{" $2
      ${WordFind} $1 "|" "+1}" $1
      ${If} $2 == ""
      ${OrIf} $2 == $1
        ${Break}
      ${EndIf}
      ${If} ${FileExists} "$INSTDIR\$2"
        StrCpy $0 "The folder $INSTDIR already holds $2, which Setup did not put there and does not overwrite. Choose a new or empty folder."
        ${Break}
      ${EndIf}
    ${Loop}
  ${EndIf}
  Pop $2
  Pop $1
FunctionEnd

Function DirectoryPageLeave
  Call FolderRefusal
  ${If} $0 != ""
    MessageBox MB_OK|MB_ICONEXCLAMATION "$0"
    Abort
  ${EndIf}
FunctionEnd
