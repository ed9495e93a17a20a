// What the program leaves on disk and in the registry, read the way the program wrote it.
#pragma once

#include <windows.h>

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
// Removes a folder with everything in it, or a file of that name.
void DeleteTree(const std::string& path);

std::optional<std::string> IniValue(const std::string& path, const std::string& section, const std::string& key);

// Registry string values ("" names a key's default value).
std::optional<std::string> RegistryValue(HKEY root, const std::string& key, const std::string& name);
void SetRegistryValue(HKEY root, const std::string& key, const std::string& name, const std::string& data);
void DeleteRegistryValue(HKEY root, const std::string& key, const std::string& name);
// Registry numbers (REG_DWORD).
std::optional<DWORD> RegistryNumber(HKEY root, const std::string& key, const std::string& name);
void SetRegistryNumber(HKEY root, const std::string& key, const std::string& name, DWORD value);

}  // namespace driver
