// The application core's own texts, exactly as users and the log see them.
#pragma once

inline constexpr char kMutexName[] = "Masq";
inline constexpr char kAlreadyRunning[] = "Masq has already running!";
inline constexpr char kAlreadyRunningCaption[] = "Masq";

inline constexpr char kDataFolderName[] = "Masq NG";
inline constexpr char kSettingsFileName[] = "masq.ini";
inline constexpr char kUserProxyFileName[] = "userproxy.ini";
inline constexpr char kReportFileName[] = "report.txt";
inline constexpr char kDefaultSkinFileName[] = "default.skn";
inline constexpr char kDefaultInternalPort[] = "7070";

inline constexpr char kCanNotCreateDataFolder[] = "Can not create Application Data Folder";
inline constexpr char kCanNotFindSkin[] = "Can not find Skin File";

inline constexpr char kLogVersion[] = "Version: ";
inline constexpr char kLogOs[] = "OS: ";
inline constexpr char kLogDefaultBrowser[] = "Default Browser: ";
inline constexpr char kLogTimeZone[] = "TimeZone: ";
inline constexpr char kLogClosing[] = "Closing...";
inline constexpr char kLogWindowsShutDown[] = "Windows shut down";
inline constexpr char kLogRemoveProxy[] = "Remove Proxy settings";
inline constexpr char kLogRemoveLeftProxy[] = "Remove Proxy settings of the last run";
inline constexpr char kCloseBeforeShutdown[] = "Please manually close Masq before shutting down Windows.";

inline constexpr char kAboutName[] = "Masq NG ";

// The About page's fixed texts; the third link names the what-is-my-IP page.
inline constexpr char kMakerName[] = "Masq Software";
inline constexpr char kLinkContactUs[] = "Contact Us";
inline constexpr char kLinkSeeMyIP[] = "SEE my IP";
