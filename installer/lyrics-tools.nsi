; The per-user installer of Lyrics Tools (Match, Orlisk, lyrics) for 64-bit Windows, built by
; scripts/package with Debian's makensis:
;
;   makensis -DVERSION=1.1.0 -DSTAGE=<folder with the x64 files> -DICON=<match.ico>
;            -DOUTFILE=<setup.exe> installer/lyrics-tools.nsi
;
; It needs no administrator rights: everything goes under the user's own profile and registry.
; Switches for silent use: /S; /RUNATSIGNIN=0 leaves out the sign-in entry; /D=<folder> (last).
; The uninstaller keeps Orlisk's settings unless ticked, or /REMOVESETTINGS=1 when silent.
;
; Only a 64-bit installer can be tested here (the Wine we test under runs 64-bit programs only);
; 32-bit Windows users take the win32 zip, as the welcome page says.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS all
SetCompressor /SOLID lzma
; Installed files carry the times they have in the stage, the release's own time, so that the
; installer is the same bytes whoever builds it.
SetDateSave on

!ifndef VERSION | STAGE | ICON | OUTFILE
  !error "scripts/package defines VERSION, STAGE, ICON and OUTFILE"
!endif

!define PRODUCT "Lyrics Tools"
!define PUBLISHER "Lyrics Tools"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\LyricsTools"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Orlisk"
; Orlisk's settings, where Windows keeps classic programs' per-user settings.
!define SETTINGS_ROOT "Software\VB and VBA Program Settings"
!define SETTINGS_APP "${SETTINGS_ROOT}\Orlisk"
; Orlisk's settings window and its "Exit Program" button.
!define ORLISK_CLASS "OrliskSettingsWindow"
!define ORLISK_EXIT_ID 108
!define START_MENU "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} setup (64-bit Windows)"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "MIT License"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "Sections.nsh"
!include "WinMessages.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!define MUI_WELCOMEPAGE_TEXT "This installs Match and Orlisk, the lyrics tools, for you alone: no administrator rights are needed.$\r$\n$\r$\nMatch compares your lyrics folder with a Winamp playlist. Orlisk sits beside the clock and opens the lyrics of the song Winamp plays.$\r$\n$\r$\nThis installer is for 64-bit Windows. On 32-bit Windows, unpack lyrics-tools-${VERSION}-win32.zip instead.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Orlisk.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Orlisk now"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

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

; Closes Orlisk or gives up: asks the user to retry, or ends the run with an error when silent.
!macro EnsureOrliskClosed un
  ${Do}
    Call ${un}CloseOrlisk
    ${If} $0 == "ok"
      ${Break}
    ${EndIf}
    ${If} ${Silent}
      SetErrorLevel 3
      Abort "Orlisk is still running."
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Orlisk is still running and does not close.$\r$\nEnd it with Exit in its tray menu, then click Retry." IDRETRY +2
    Abort "Orlisk is still running."
  ${Loop}
!macroend

Section "Match and Orlisk (required)" SecPrograms
  SectionIn RO
  !insertmacro EnsureOrliskClosed ""
  SetOutPath "$INSTDIR"
  File "${STAGE}\Match.exe"
  File "${STAGE}\Orlisk.exe"
  File "${STAGE}\lyrics.exe"
  File "${STAGE}\Match Help.txt"
  File "${STAGE}\OrliskHelp.html"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "${START_MENU}"
  CreateShortcut "${START_MENU}\Match.lnk" "$INSTDIR\Match.exe" "" "$INSTDIR\Match.exe" 0
  CreateShortcut "${START_MENU}\Orlisk.lnk" "$INSTDIR\Orlisk.exe" "" "$INSTDIR\Orlisk.exe" 0

  ; The sign-in entry is written anew by its own section when chosen; an install without it
  ; leaves none behind from an earlier one.
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} (Match and Orlisk)"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Match.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start Orlisk when I sign in" SecRunAtSignIn
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\Orlisk.exe"'
SectionEnd

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/RUNATSIGNIN=" $1
  ${IfNot} ${Errors}
  ${AndIf} $1 == "0"
    !insertmacro UnselectSection ${SecRunAtSignIn}
  ${EndIf}
FunctionEnd

; Removes exactly what the installer put down; files the user made in the folder (Match's unmatch
; lists) stay, and with them the folder.
Section "un.Match and Orlisk" UnSecPrograms
  SectionIn RO
  !insertmacro EnsureOrliskClosed "un."
  Delete "$INSTDIR\Match.exe"
  Delete "$INSTDIR\Orlisk.exe"
  Delete "$INSTDIR\lyrics.exe"
  Delete "$INSTDIR\Match Help.txt"
  Delete "$INSTDIR\OrliskHelp.html"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  ; The copy of the uninstaller that runs this was started by Uninstall.exe, which may still be
  ; ending: its file goes only once it has, and the folder only after that.
  StrCpy $1 0
  ${Do}
    Delete "$INSTDIR\Uninstall.exe"
    ${IfNot} ${FileExists} "$INSTDIR\Uninstall.exe"
    ${OrIf} $1 >= 50
      ${Break}
    ${EndIf}
    IntOp $1 $1 + 1
    Sleep 100
  ${Loop}
  ; An empty folder may still be held for a moment by the process that just ended; a folder that
  ; holds the user's files is left at once.
  StrCpy $1 0
  ${Do}
    RMDir "$INSTDIR"
    ${DirState} "$INSTDIR" $2
    ${If} $2 != 0
    ${OrIf} $1 >= 50
      ${Break}
    ${EndIf}
    IntOp $1 $1 + 1
    Sleep 100
  ${Loop}

  Delete "${START_MENU}\Match.lnk"
  Delete "${START_MENU}\Orlisk.lnk"
  RMDir "${START_MENU}"

  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; After the section above, so that Orlisk has saved its settings before they go.
Section /o "un.Orlisk's settings (lyrics folder and options)" UnSecSettings
  DeleteRegKey HKCU "${SETTINGS_APP}"
  DeleteRegKey /ifempty HKCU "${SETTINGS_ROOT}"
SectionEnd

Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS=" $1
  ${IfNot} ${Errors}
  ${AndIf} $1 == "1"
    !insertmacro SelectSection ${UnSecSettings}
  ${EndIf}
FunctionEnd
