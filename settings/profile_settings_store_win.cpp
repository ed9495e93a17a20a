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

std::vector<std::string> ProfileSettingsStore::KeysOf(std::string_view section) const {
    std::vector<std::string> keys;
    if (path_.empty())
        return keys;
    const std::string sectionZ(section);
    // Without a key name the call lists the section's keys, each ended by a NUL; it cuts a list
    // that does not fit and then returns size - 2.
    std::string buffer(1024, '\0');
    DWORD length = 0;
    for (;;) {
        length = GetPrivateProfileStringA(sectionZ.c_str(), nullptr, "", buffer.data(),
                                          static_cast<DWORD>(buffer.size()), path_.c_str());
        if (length + 2 < buffer.size())
            break;
        buffer.resize(buffer.size() * 2);
    }
    for (std::size_t start = 0; start < length;) {
        const std::size_t end = buffer.find('\0', start);
        keys.push_back(buffer.substr(start, end - start));
        start = end + 1;
    }
    return keys;
}

void ProfileSettingsStore::RemoveSection(std::string_view section) {
    if (path_.empty())
        return;
    const std::string sectionZ(section);
    WritePrivateProfileStringA(sectionZ.c_str(), nullptr, nullptr, path_.c_str());
}
