#include "settings/profile_settings_store_win.h"

#include <windows.h>

void ProfileSettingsStore::Open(std::string_view path) {
    path_ = path;
}

std::string ProfileSettingsStore::ReadString(std::string_view section,
                                             std::string_view key,
                                             std::string_view def) const {
    // Without a path the profile functions would fall back to win.ini.
    if (path_.empty())
        return std::string(def);
    const std::string sectionZ(section), keyZ(key), defZ(def);
    // The call cuts a value that does not fit and then returns size - 1: grow until it fits.
    std::string buffer(256, '\0');
    for (;;) {
        DWORD length = GetPrivateProfileStringA(sectionZ.c_str(), keyZ.c_str(), defZ.c_str(), buffer.data(),
                                                static_cast<DWORD>(buffer.size()), path_.c_str());
        if (length + 1 < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

void ProfileSettingsStore::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (path_.empty())
        return;
    const std::string sectionZ(section), keyZ(key), valueZ(value);
    // Settings writes are best effort: a read-only file or a full disk is not reported.
    WritePrivateProfileStringA(sectionZ.c_str(), keyZ.c_str(), valueZ.c_str(), path_.c_str());
}
