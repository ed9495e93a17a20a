; The components installed beside the program. Each adds its files and registration in
; InstallComponents, which runs once the program's files are in $INSTDIR (the output folder), and
; undoes them in UninstallComponents, which runs after a running copy was closed and before the
; program's files are deleted. A further component joins here the same way.
;
; Defined by the build: SOURCE_DIR (this source tree), APP_FOLDER (where the built masqng.exe is).

; The Firefox add-on's native messaging host: masqng_firefox_host.exe and its manifest, and the
; manifest's registration for the user (firefox/README.md).
!include "${SOURCE_DIR}/firefox/installer/firefox_host.nsh"

!macro InstallComponents
    !insertmacro MasqFirefoxHostInstall "${APP_FOLDER}"
!macroend

!macro UninstallComponents
    !insertmacro MasqFirefoxHostUninstall
!macroend
