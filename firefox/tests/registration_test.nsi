; A minimal installer around the Firefox host's NSIS macros, for registration.py.
;   makensis -DBUILD_FOLDER=<folder with the host and its manifest> -DOUT_FILE=<setup.exe> registration_test.nsi
Target amd64-unicode  ; the machine's Wine runs 64-bit programs only
Name "Masq NG Firefox host test"
OutFile "${OUT_FILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Masq NG Test"

!include "../installer/firefox_host.nsh"  ; makensis works in the folder of this script

Section "Install"
    SetOutPath "$INSTDIR"
    !insertmacro MasqFirefoxHostInstall "${BUILD_FOLDER}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
SectionEnd

Section "Uninstall"
    !insertmacro MasqFirefoxHostUninstall
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
