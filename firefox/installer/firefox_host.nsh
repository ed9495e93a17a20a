; The Firefox add-on's native messaging host in the Masq NG installer.
;
;   !include "firefox\installer\firefox_host.nsh"
;   Section "Install"             ; after SetOutPath "$INSTDIR"
;       !insertmacro MasqFirefoxHostInstall "<folder of the built masqng.exe>"
;   Section "Uninstall"
;       !insertmacro MasqFirefoxHostUninstall
;
; Install puts the host and its manifest beside masqng.exe and registers the manifest for the
; user who runs the installer, under the key where Firefox on Windows looks for native
; messaging hosts; Uninstall removes both again. The manifest names the host by a path
; relative to itself, so it holds no install folder.

!define MASQ_FIREFOX_HOST "masqng_firefox_host"
!define MASQ_FIREFOX_HOST_KEY "Software\Mozilla\NativeMessagingHosts\${MASQ_FIREFOX_HOST}"

!macro MasqFirefoxHostInstall BUILD_FOLDER
    File "${BUILD_FOLDER}/${MASQ_FIREFOX_HOST}.exe"
    File "${BUILD_FOLDER}/${MASQ_FIREFOX_HOST}.json"
    WriteRegStr HKCU "${MASQ_FIREFOX_HOST_KEY}" "" "$INSTDIR\${MASQ_FIREFOX_HOST}.json"
!macroend

!macro MasqFirefoxHostUninstall
    DeleteRegKey HKCU "${MASQ_FIREFOX_HOST_KEY}"
    Delete "$INSTDIR\${MASQ_FIREFOX_HOST}.exe"
    Delete "$INSTDIR\${MASQ_FIREFOX_HOST}.json"
!macroend
