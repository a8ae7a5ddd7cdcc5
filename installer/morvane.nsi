; Morvane's setup: a 64-bit installer that puts MORVU.EXE and its help document where
; the program expects to live (its start-with-Windows entry and its Help menu name that
; folder), adds a Start menu shortcut and an uninstaller that Windows lists.
;
;   makensis -DBUILD_DIR=<folder with morvu.exe and MORVHELP.DOC> -DSOURCE_DIR=<repository>
;            installer/morvane.nsi
;
; Command line of the uninstaller, besides NSIS's own /S and _?=<folder>:
;   /REMOVESETTINGS  also removes the alarm settings, as ticking the box would.
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "nsDialogs.nsh"

!ifndef BUILD_DIR
  !define BUILD_DIR "..\build\windows"
!endif
!ifndef SOURCE_DIR
  !define SOURCE_DIR ".."
!endif

!define VERSION "1.4.4"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "SOFTWARE\QUORVIX\MORV"

Name "Morvane"
OutFile "${BUILD_DIR}\morvane-setup.exe"
; The program names this folder itself; a setup that let it move would break
; starting with Windows and the help document.
InstallDir "$PROGRAMFILES64\Quorvix\MORV"
RequestExecutionLevel admin
BrandingText "Quorvix"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Morvane"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "Quorvix"
VIAddVersionKey "FileDescription" "Morvane alarm clock setup"
VIAddVersionKey "LegalCopyright" "Copyright (C) Quorvix"

!define MUI_ICON "${SOURCE_DIR}\resources\icons\morvane.ico"
!define MUI_UNICON "${SOURCE_DIR}\resources\icons\morvane.ico"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "Setup will install Morvane ${VERSION}, the alarm clock that wakes you \
  with music, into $INSTDIR.$\r$\n$\r$\nMorvane plays your music through Winamp, which must be \
  installed at C:\Program Files\WinAmp\WinAmp.exe.$\r$\n$\r$\nClick Install to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\MORVU.EXE"
!define MUI_FINISHPAGE_RUN_TEXT "Start Morvane"
!insertmacro MUI_PAGE_FINISH

UninstPage custom un.OptionsPage un.OptionsPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Files in use cannot be replaced or removed, and a running Morvane would write its
; settings back after the uninstaller took them away: wait until it has been closed.
; Its hidden application window exists from its very start; its main window is the
; one a user sees.
!macro REFUSE_WHILE_RUNNING prefix
Function ${prefix}RefuseWhileRunning
  retry:
    FindWindow $0 "ThunderRT6Main" "MORV"
    ${If} $0 = 0
      FindWindow $0 "MorvaneMainWindow"
    ${EndIf}
    ${If} $0 <> 0
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Morvane is running.$\r$\n$\r$\n\
        Please close it first: press Exit in its window, or choose Exit from the menu of its \
        clock icon beside the taskbar's clock. Then click Retry.$\r$\n$\r$\n\
        Click Cancel to leave Morvane as it is." /SD IDCANCEL IDRETRY retry
      Abort
    ${EndIf}
FunctionEnd
!macroend
!insertmacro REFUSE_WHILE_RUNNING ""
!insertmacro REFUSE_WHILE_RUNNING "un."

Function .onInit
  ; Not even /D=: the folder is fixed, see InstallDir.
  StrCpy $INSTDIR "$PROGRAMFILES64\Quorvix\MORV"
  Call RefuseWhileRunning
FunctionEnd

Section "Morvane"
  SetOutPath "$INSTDIR"
  File "/oname=MORVU.EXE" "${BUILD_DIR}\morvu.exe"
  File "${BUILD_DIR}\MORVHELP.DOC"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  CreateShortCut "$SMPROGRAMS\Morvane.lnk" "$INSTDIR\MORVU.EXE" "" "$INSTDIR\MORVU.EXE" 0 \
    SW_SHOWNORMAL "" "Wakes you with music"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Morvane"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Quorvix"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\MORVU.EXE,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; 1 when the alarm settings go too: the box on the uninstaller's page, or /REMOVESETTINGS.
Var RemoveSettings
Var SettingsBox

Function un.onInit
  Call un.RefuseWhileRunning
  StrCpy $RemoveSettings 0
  ${un.GetParameters} $0
  ClearErrors
  ${un.GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    StrCpy $RemoveSettings 1
  ${EndIf}
FunctionEnd

Function un.OptionsPage
  !insertmacro MUI_HEADER_TEXT "Uninstall Morvane" "Remove Morvane from this computer."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 40u "Morvane will be removed from $INSTDIR, together with its help \
    document, its Start menu shortcut and the entry that starts it with Windows."
  Pop $0
  ${NSD_CreateCheckbox} 0 48u 100% 12u "Also remove my alarm settings"
  Pop $SettingsBox
  ${If} $RemoveSettings = 1
    ${NSD_Check} $SettingsBox
  ${EndIf}
  ${NSD_CreateLabel} 12u 62u -12u 30u "Left unticked, your saved alarm and your options stay \
    on this computer, and Morvane finds them again when you install it once more."
  Pop $0
  GetDlgItem $0 $HWNDPARENT 1
  SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^UninstallBtn)"
  nsDialogs::Show
FunctionEnd

Function un.OptionsPageLeave
  ${NSD_GetState} $SettingsBox $0
  ${If} $0 = ${BST_CHECKED}
    StrCpy $RemoveSettings 1
  ${Else}
    StrCpy $RemoveSettings 0
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Delete "$INSTDIR\MORVU.EXE"
  Delete "$INSTDIR\MORVHELP.DOC"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; Quorvix's folder goes too once nothing else of Quorvix is in it.
  RMDir "$PROGRAMFILES64\Quorvix"

  SetShellVarContext all
  Delete "$SMPROGRAMS\Morvane.lnk"

  ; Morvane writes its Run value under HKLM, or under HKCU for a user who may not
  ; write HKLM. A switched-off value (a leading "-") goes as well.
  DeleteRegValue HKLM "${RUN_KEY}" "Morvane"
  DeleteRegValue HKCU "${RUN_KEY}" "Morvane"

  ; Kept by default, so that a reinstall finds the saved alarm.
  ${If} $RemoveSettings = 1
    DeleteRegKey HKLM "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKLM "SOFTWARE\QUORVIX"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "SOFTWARE\QUORVIX"
  ${EndIf}

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
