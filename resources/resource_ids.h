// Resource identifiers shared by masqng.rc and the code that loads them.
#pragma once

#define IDI_APP 1

// The busy animation's frames, in order, and the tray's on and off icons.
#define IDI_BUSY_0 101
#define IDI_BUSY_1 102
#define IDI_BUSY_2 103
#define IDI_BUSY_3 104
#define IDI_BUSY_4 105
#define IDI_BUSY_5 106
#define IDI_BUSY_6 107
#define IDI_STATUS_ON 110
#define IDI_STATUS_OFF 111

// The options dialog (TfrmMain) and its pages. The main form's window class is how the installer
// finds a running program (WM_CLOSE to it ends the program as Exit does).
#define MAIN_FORM_CLASS "MasqNGMain"
#define IDD_MAIN 200
#define IDD_PAGE_GENERAL 201
#define IDD_PAGE_BYPASS 202
#define IDD_PAGE_HOTKEY 203
#define IDD_PAGE_ABOUT 204

#define IDC_PAGES 1000
#define IDC_CHK_COUNTRY 1001
#define IDC_CHK_START_WITH_WINDOWS 1002
#define IDC_GRP_BROWSERS 1003
#define IDC_CHK_IE 1004
#define IDC_CHK_FIREFOX 1005
#define IDC_RDG_FIREFOX_PLUGIN 1006
#define IDC_RDG_FIREFOX_RESTART 1007
#define IDC_MEM_BYPASS 1010
#define IDC_LBL_BYPASS 1011
#define IDC_CHK_HOTKEY 1020
#define IDC_LBL_HOTKEY_HINT 1021
#define IDC_LBL_HKE_HIDE 1022
#define IDC_HKE_HIDE 1023
#define IDC_LBL_HKE_POP 1024
#define IDC_HKE_POP 1025
#define IDC_LBL_HKE_SELECT 1026
#define IDC_HKE_SELECT 1027
#define IDC_IMG_APP 1030
#define IDC_LBL_APPNAME 1031
#define IDC_LBL_MAKER 1032
#define IDC_ULB_WEBSITE 1033
#define IDC_ULB_CONTACT_US 1034
#define IDC_ULB_SEE_MY_IP 1035

// The node selection dialog TfrmSelectIP, built at run time (its OK and Cancel are IDOK and
// IDCANCEL).
#define IDC_LBL_SELECT_IP 1040
#define IDC_LSB_SELECT_IP 1041
#define IDC_CHK_ALWAYS_LOCATION 1042
