#include "tests/e2e/browser_state.h"

#include "tests/driver/files.h"

namespace e2e {

using namespace driver;

std::optional<DWORD> ProxyEnable() {
    return RegistryNumber(HKEY_CURRENT_USER, kInternetSettings, "ProxyEnable");
}

std::optional<std::string> ProxyServer() {
    return RegistryValue(HKEY_CURRENT_USER, kInternetSettings, "ProxyServer");
}

void SetDirectSystemProxy() {
    SetRegistryNumber(HKEY_CURRENT_USER, kInternetSettings, "ProxyEnable", 0);
    DeleteRegistryValue(HKEY_CURRENT_USER, kInternetSettings, "ProxyServer");
    DeleteRegistryValue(HKEY_CURRENT_USER, kInternetSettings, "ProxyOverride");
}

void SetUsersOwnSystemProxy(const std::string& server, const std::string& bypass) {
    SetRegistryNumber(HKEY_CURRENT_USER, kInternetSettings, "ProxyEnable", 1);
    SetRegistryValue(HKEY_CURRENT_USER, kInternetSettings, "ProxyServer", server);
    if (bypass.empty())
        DeleteRegistryValue(HKEY_CURRENT_USER, kInternetSettings, "ProxyOverride");
    else
        SetRegistryValue(HKEY_CURRENT_USER, kInternetSettings, "ProxyOverride", bypass);
}

std::string PluginFile() {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    return std::string(folder) + "masq.tmp";
}

}  // namespace e2e
