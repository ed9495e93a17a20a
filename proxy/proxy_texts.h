// The browser proxy's texts, names and fixed values, as the system shows and writes them.
#pragma once

namespace proxy_text {

// Messages, in the program's message dialog.
inline constexpr char kCanNotChangeFirefox[] = "Can not change Firefox proxy settings!";
inline constexpr char kRestartFirefox[] = "Please Restart all Firefox windows in order to make Masq NG take effect.";

// What a Firefox window's title holds.
inline constexpr char kFirefoxWindowTitle[] = "Mozilla Firefox";

// The records' section of what the program changed in the system and must put back.
inline constexpr char kUserProxySection[] = "UserProxy";

// Files and folders.
inline constexpr char kFirefoxFolder[] = "Mozilla\\Firefox\\";  // under Application Data
inline constexpr char kInstallsIni[] = "installs.ini";
inline constexpr char kProfilesIni[] = "profiles.ini";
inline constexpr char kProfilesFolder[] = "Profiles\\";  // in the Firefox folder
inline constexpr char kDefaultProfilePattern[] = "*.default";
inline constexpr char kUserJs[] = "user.js";
inline constexpr char kUserJsBackupSuffix[] = ".first";
// How many backups of the user's own user.js may stand beside it: ".first", ".first.2", ...
inline constexpr int kMaxUserJsBackups = 9;
inline constexpr char kPrefsJs[] = "prefs.js";  // Firefox's own record of its preferences
inline constexpr char kPluginFile[] = "masq.tmp";

// The local proxy of the tunnel client, and the system proxy's form of a SOCKS server.
inline constexpr char kLocalProxyPrefix[] = "127.0.0.1:";
inline constexpr char kSocksPrefix[] = "socks=";

}  // namespace proxy_text
