; The Windows installer: puts MORVU.EXE where the program expects to live (the
; start-with-Windows entry names that path), with a Start menu entry and an uninstaller.
; Build: makensis -DBUILD_DIR=<folder holding morvu.exe> installer/morvane.nsi
Unicode true
!include "x64.nsh"

!ifndef BUILD_DIR
  !define BUILD_DIR "..\build\windows"
!endif

Name "Morvane"
OutFile "${BUILD_DIR}\morvane-setup.exe"
InstallDir "$PROGRAMFILES64\Quorvix\MORV"
RequestExecutionLevel admin
VIProductVersion "1.4.4.0"
VIAddVersionKey "ProductName" "Morvane"
VIAddVersionKey "FileVersion" "1.4.4"
VIAddVersionKey "CompanyName" "Quorvix"
VIAddVersionKey "FileDescription" "Morvane alarm clock setup"
VIAddVersionKey "LegalCopyright" "Copyright (C) Quorvix"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "Morvane needs a 64-bit Windows."
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Section "Morvane"
  SetOutPath "$INSTDIR"
  File "/oname=MORVU.EXE" "${BUILD_DIR}\morvu.exe"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Morvane.lnk" "$INSTDIR\MORVU.EXE"
  WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane" "DisplayName" "Morvane"
  WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane" "DisplayVersion" "1.4.4"
  WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane" "Publisher" "Quorvix"
  WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane" "DisplayIcon" "$INSTDIR\MORVU.EXE"
SectionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Uninstall"
  Delete "$INSTDIR\MORVU.EXE"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Morvane.lnk"
  ; Nothing is left to start with Windows. The alarm settings stay, for a reinstall.
  DeleteRegValue HKLM "Software\Microsoft\Windows\CurrentVersion\Run" "Morvane"
  DeleteRegValue HKCU "Software\Microsoft\Windows\CurrentVersion\Run" "Morvane"
  DeleteRegKey HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane"
SectionEnd
