// The browsers' proxy as the program leaves it: the system (WinInet) proxy where WinInet keeps it
// in the registry, and the Firefox add-on's state file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

inline constexpr char kInternetSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

std::optional<DWORD> ProxyEnable();
std::optional<std::string> ProxyServer();
// The system proxy as a user has it who never set one: direct.
void SetDirectSystemProxy();
// A proxy of the user's own on the LAN, with the hosts it is not used for (ProxyOverride; none
// when empty).
void SetUsersOwnSystemProxy(const std::string& server, const std::string& bypass = "");

// The add-on's state file masq.tmp in the temporary folder, and its content when hiding is off.
std::string PluginFile();
inline constexpr char kPluginFileOff[] = "1\r\n0\r\n\r\n\r\n\r\n\r\n";

}  // namespace e2e
