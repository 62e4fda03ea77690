; The per-user installer of Lyrics Tools (Match, Orlisk, lyrics) for 64-bit Windows, built by
; scripts/package with Debian's makensis:
;
;   makensis -DVERSION=1.1.0 -DSTAGE=<folder with the x64 files> -DICON=<match.ico>
;            -DOUTFILE=<setup.exe> installer/lyrics-tools.nsi
;
; It needs no administrator rights: everything goes under the user's own profile and registry.
; Switches for silent use: /S; /RUNATSIGNIN=0 leaves out the sign-in entry; /LOG=<file> the log
; (by default "Lyrics Tools setup.log" in the temporary folder); /D=<folder> (last).
; The uninstaller keeps Orlisk's settings unless ticked, or /REMOVESETTINGS=1 when silent.
;
; Setup never overwrites a file it did not put there: it installs into a folder that holds none of
; the names it writes, or into the folder of the existing install (the uninstall entry's), and
; nowhere else while that install exists, so that no install is left without its uninstaller.
; Nothing is written or removed while a program of the install runs: Orlisk is asked to end as its
; "Exit Program" does; Match and lyrics.exe, which may be in the middle of the user's work, are not
; ended: the run stops instead. Exit codes of a silent run: 0 done, 3 a program of the install
; still runs, 4 the folder is refused; each with a line in the log.
; The uninstall entry's QuietUninstallString runs the uninstaller in place (_?=), so that the
; process a tool starts ends only once everything is removed, with the exit code that says so, but
; its own file: no running program may delete that, so a copy of it in the temporary folder removes
; it, and the emptied folder, within a moment after. The next run of either deletes that copy.
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
; What Setup writes into the folder, and the one file it writes that is not in the stage.
!define INSTALLED_FILES "Match.exe|Orlisk.exe|lyrics.exe|Match Help.txt|OrliskHelp.html|README.txt|LICENSE.txt|Uninstall.exe|"
; The programs that may run from the folder, whose files cannot be replaced or removed meanwhile:
; the user's to end, and all of them once Orlisk has been asked to end.
!define USERS_PROGRAMS "Match.exe|lyrics.exe|"
!define PROGRAMS "Orlisk.exe|${USERS_PROGRAMS}"
!define LISTS_PATTERN "UnMatch *.txt"
!define EXIT_IN_USE 3
!define EXIT_FOLDER_REFUSED 4
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
!include "WordFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

Var LogFile
; The folder of the install the uninstall entry names, when its uninstaller is still there.
Var ExistingFolder
Var DirectoryPageText
Var UninstallFinishText

!define MUI_WELCOMEPAGE_TEXT "This installs Match and Orlisk, the lyrics tools, for you alone: no administrator rights are needed.$\r$\n$\r$\nMatch compares your lyrics folder with a Winamp playlist. Orlisk sits beside the clock and opens the lyrics of the song Winamp plays.$\r$\n$\r$\nThis installer is for 64-bit Windows. On 32-bit Windows, unpack lyrics-tools-${VERSION}-win32.zip instead.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_DIRECTORYPAGE_TEXT_TOP "$DirectoryPageText"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryPageLeave
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
!define MUI_FINISHPAGE_TEXT "$UninstallFinishText"
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"

; The log, the running programs, the folder: installer/install_guards.nsh.
!addincludedir "${__FILEDIR__}"
!include "install_guards.nsh"


Section "Match and Orlisk (required)" SecPrograms
  SectionIn RO
  ; Match and lyrics.exe first, so that a run that stops for them leaves Orlisk running too.
  !insertmacro EnsureProgramsFree "" "${USERS_PROGRAMS}"
  !insertmacro EnsureOrliskClosed ""
  !insertmacro EnsureProgramsFree "" "${PROGRAMS}"
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
  ; Match writes its lists beside itself, in a folder Explorer hides: this opens it.
  CreateShortcut "${START_MENU}\Unmatch lists.lnk" "$INSTDIR"

  ; The sign-in entry is written anew by its own section when chosen; an install without it
  ; leaves none behind from an earlier one.
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} (Match and Orlisk)"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Match.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S _?=$INSTDIR'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  !insertmacro Log "" "installed in $INSTDIR."
SectionEnd

Section "Start Orlisk when I sign in" SecRunAtSignIn
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\Orlisk.exe"'
SectionEnd

Function .onInit
  !insertmacro ReadLogSwitch
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/RUNATSIGNIN=" $1
  ${IfNot} ${Errors}
  ${AndIf} $1 == "0"
    !insertmacro UnselectSection ${SecRunAtSignIn}
  ${EndIf}

  ReadRegStr $ExistingFolder HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${IfNot} ${FileExists} "$ExistingFolder\Uninstall.exe"
    StrCpy $ExistingFolder ""
  ${EndIf}
  ${If} $ExistingFolder != ""
    StrCpy $DirectoryPageText "${PRODUCT} is installed in this folder. Setup upgrades it there; to move it, uninstall it first."
  ${Else}
    StrCpy $DirectoryPageText "Setup installs ${PRODUCT} in the following folder. Choose a new or empty one: Setup does not overwrite files it did not put there."
  ${EndIf}

  ${If} ${Silent}
    Call FolderRefusal
    ${If} $0 != ""
      !insertmacro Log "" "$0 Nothing was installed."
      SetErrorLevel ${EXIT_FOLDER_REFUSED}
      Abort
    ${EndIf}
  ${EndIf}
FunctionEnd

; Removes exactly what the installer put down; files the user made in the folder (Match's unmatch
; lists) stay, and with them the folder.
Section "un.Match and Orlisk" UnSecPrograms
  SectionIn RO
  ; Match and lyrics.exe first, so that a run that stops for them leaves Orlisk running too.
  !insertmacro EnsureProgramsFree "un." "${USERS_PROGRAMS}"
  !insertmacro EnsureOrliskClosed "un."
  !insertmacro EnsureProgramsFree "un." "${PROGRAMS}"
  Delete "$INSTDIR\Match.exe"
  Delete "$INSTDIR\Orlisk.exe"
  Delete "$INSTDIR\lyrics.exe"
  Delete "$INSTDIR\Match Help.txt"
  Delete "$INSTDIR\OrliskHelp.html"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  ; Run in place (the uninstall entry's quiet command), the uninstaller cannot delete its own
  ; file: a copy of it removes that and the folder once this process has ended (un.onInit).
  ; Otherwise the copy of the uninstaller that runs this was started by Uninstall.exe, which may
  ; still be ending: its file goes only once it has, and the folder only after that.
  ${If} $EXEPATH != "$INSTDIR\Uninstall.exe"
    Call un.RemoveUninstallerAndFolder
  ${EndIf}

  Delete "${START_MENU}\Match.lnk"
  Delete "${START_MENU}\Orlisk.lnk"
  Delete "${START_MENU}\Unmatch lists.lnk"
  RMDir "${START_MENU}"

  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; The unmatch lists are the user's: they stay, and the last page says where.
  FindFirst $1 $2 "$INSTDIR\${LISTS_PATTERN}"
  FindClose $1
  ${If} $2 != ""
    StrCpy $UninstallFinishText "${PRODUCT} has been removed. Your unmatch lists were kept, in$\r$\n$INSTDIR"
    !insertmacro Log "un." "uninstalled; the unmatch lists were kept in $INSTDIR."
  ${Else}
    StrCpy $UninstallFinishText "${PRODUCT} has been removed from your computer."
    !insertmacro Log "un." "uninstalled from $INSTDIR."
  ${EndIf}

  ${If} $EXEPATH == "$INSTDIR\Uninstall.exe"
    System::Call "kernel32::GetCurrentProcessId() i .r1"
    StrCpy $2 "$TEMP\${PRODUCT} uninstall $1.exe"
    CopyFiles /SILENT "$EXEPATH" "$2"
    ; Started outside the folder (Exec starts in $OUTDIR), which it is to remove.
    SetOutPath "$TEMP"
    Exec '"$2" /S /CLEANUP=$1 _?=$INSTDIR'
  ${EndIf}
SectionEnd

; After the section above, so that Orlisk has saved its settings before they go.
Section /o "un.Orlisk's settings (lyrics folder and options)" UnSecSettings
  DeleteRegKey HKCU "${SETTINGS_APP}"
  DeleteRegKey /ifempty HKCU "${SETTINGS_ROOT}"
SectionEnd

; Removes Uninstall.exe, which the process that ran from it may still hold for a moment after it
; has ended, then the folder once empty, which that process may hold too; a folder that holds the
; user's files is left at once.
Function un.RemoveUninstallerAndFolder
  SetOutPath "$TEMP"
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
FunctionEnd

; The copy an in-place uninstall leaves running: once that uninstaller (process $1) has ended, its
; file goes, and the folder unless the user's files keep it.
Function un.RemoveInPlaceUninstaller
  System::Call "kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2"  ; SYNCHRONIZE
  ${If} $2 P<> 0
    System::Call "kernel32::WaitForSingleObject(p r2, i 10000) i"
    System::Call "kernel32::CloseHandle(p r2)"
  ${EndIf}
  Call un.RemoveUninstallerAndFolder
FunctionEnd

Function un.onInit
  !insertmacro ReadLogSwitch
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/CLEANUP=" $1
  ${IfNot} ${Errors}
    Call un.RemoveInPlaceUninstaller
    Quit
  ${EndIf}
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS=" $1
  ${IfNot} ${Errors}
  ${AndIf} $1 == "1"
    !insertmacro SelectSection ${UnSecSettings}
  ${EndIf}
FunctionEnd
