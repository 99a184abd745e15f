; Solva installer (NSIS 3). Installs the VST 2.4 plug-in DLL, the Kelvadrin
; file-dialog companion and the factory preset library into one folder,
; records that folder as HKLM\software\Marwen\Solva "InstallDirectory"
; (where the plug-in looks for its library) and registers an uninstaller.
;
; Built by installer/build.sh; defines passed with /D:
;   ARCH        32 or 64 (which DLL; the 64-bit one uses the 64-bit
;               registry view and Program Files)
;   SOLVA_DLL   path of Solva.dll        KELVADRIN_DLL  path of Kelvadrin.dll
;   PRESET_DIR  folder with the factory files (preset*.prt, preset*.inf)
;   OUT_FILE    the installer to write
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!ifndef ARCH
  !define ARCH 32
!endif
!define MAKER "Marwen"
!define PRODUCT "Solva"
!define REG_KEY "software\${MAKER}\${PRODUCT}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${MAKER}${PRODUCT}${ARCH}"

Name "${PRODUCT} (${ARCH}-bit)"
OutFile "${OUT_FILE}"
; No InstallDir attribute: $INSTDIR is empty in .onInit unless /D= was given,
; which is how .onInit tells a chosen folder from the default.
!if ${ARCH} == 64
  !define DEFAULT_DIR "$PROGRAMFILES64\${MAKER}\${PRODUCT}"
!else
  !define DEFAULT_DIR "$PROGRAMFILES32\${MAKER}\${PRODUCT}"
!endif
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

!macro SelectView
  !if ${ARCH} == 64
    SetRegView 64
  !else
    SetRegView 32
  !endif
!macroend

; The folder: the one given with /D= (silent installs), else the one of a
; previous installation, else the default under Program Files.
Function .onInit
  !insertmacro SelectView
  StrCmp $INSTDIR "" 0 done
  ReadRegStr $INSTDIR HKLM "${REG_KEY}" "InstallDirectory"
  StrCmp $INSTDIR "" 0 trim
  StrCpy $INSTDIR "${DEFAULT_DIR}"
  Goto done
trim:
  ; The recorded value ends with a separator; $INSTDIR does not.
  StrCpy $0 $INSTDIR "" -1
  StrCmp $0 "\" 0 done
  StrCpy $INSTDIR $INSTDIR -1
done:
FunctionEnd

Section "Solva" SecMain
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "/oname=Solva.dll" "${SOLVA_DLL}"
  File "/oname=Kelvadrin.dll" "${KELVADRIN_DLL}"
  File "${PRESET_DIR}/preset*.prt"
  File "${PRESET_DIR}/preset*.inf"
  ; The plug-in appends the separator itself when it is missing.
  WriteRegStr HKLM "${REG_KEY}" "InstallDirectory" "$INSTDIR\"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} (${ARCH}-bit)"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "1.34"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
  !insertmacro SelectView
FunctionEnd

; Removes what the installer put there and what the plug-in writes at run
; time (options, init settings, change notice, user presets), then the
; folder when it is empty, the registry key and the uninstaller entry.
Section "Uninstall"
  Delete "$INSTDIR\Solva.dll"
  Delete "$INSTDIR\Kelvadrin.dll"
  Delete "$INSTDIR\preset*.prt"
  Delete "$INSTDIR\preset*.inf"
  Delete "$INSTDIR\options"
  Delete "$INSTDIR\InitSettings"
  Delete "$INSTDIR\Modif"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$INSTDIR\.."
  DeleteRegKey HKLM "${REG_KEY}"
  DeleteRegKey /ifempty HKLM "software\${MAKER}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
