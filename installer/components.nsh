; The place for more components of the installation (for example a Firefox native messaging
; host): each adds its files and registration to InstallComponents, which runs after the
; program's files are in $INSTDIR, and undoes them in UninstallComponents, which runs after the
; running program was closed and before the program's files are deleted. For example:
;   !include "firefox_host.nsh"
;   !macro InstallComponents
;       !insertmacro RegisterFirefoxHost
;   !macroend
!macro InstallComponents
!macroend

!macro UninstallComponents
!macroend
