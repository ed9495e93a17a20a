// What the program leaves on disk and in the registry, read the way the program wrote it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace driver {

// The user's Application Data folder, ending in a backslash.
std::string AppDataFolder();
// A Linux path of the build (Z: is the root of the Linux file system in Wine).
std::string WindowsPathOf(const std::string& linuxPath);

std::optional<std::string> ReadFile(const std::string& path);
// The file's lines (CR LF ends); nullopt when the file can't be read.
std::optional<std::vector<std::string>> ReadLines(const std::string& path);
bool WriteFile(const std::string& path, const std::string& contents);
bool CopyFileTo(const std::string& from, const std::string& to);
void DeleteTree(const std::string& folder);

std::optional<std::string> IniValue(const std::string& path, const std::string& section, const std::string& key);

// HKEY_CURRENT_USER string values.
std::optional<std::string> UserRegistryValue(const std::string& key, const std::string& name);
void SetUserRegistryValue(const std::string& key, const std::string& name, const std::string& data);
void DeleteUserRegistryValue(const std::string& key, const std::string& name);

}  // namespace driver
