#include "tests/driver/files.h"

#include <shlobj.h>
#include <windows.h>

#include <fstream>
#include <sstream>

#include "common/text_lines.h"
#include "common/unique_handle_win.h"

namespace driver {

std::string AppDataFolder() {
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return std::string(folder) + "\\";
}

std::string WindowsPathOf(const std::string& linuxPath) {
    std::string path = "Z:" + linuxPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::optional<std::string> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
    auto text = ReadFile(path);
    if (!text)
        return std::nullopt;
    return SplitLines(*text);
}

bool WriteFile(const std::string& path, const std::string& contents) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << contents;
    return bool(file);
}

bool CopyFileTo(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE);
}

void DeleteTree(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(folder.c_str());
        return;
    }
    WIN32_FIND_DATAA found{};
    UniqueFile search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (search) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search.Get(), &found));
    }
    search.Reset();
    RemoveDirectoryA(folder.c_str());
}

std::optional<std::string> IniValue(const std::string& path, const std::string& section, const std::string& key) {
    const char* missing = "\x01missing\x01";
    char value[4096] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), missing, value, sizeof(value), path.c_str());
    if (std::string(value) == missing)
        return std::nullopt;
    return std::string(value);
}

std::optional<std::string> RegistryValue(HKEY root, const std::string& key, const std::string& name) {
    char data[2048] = {};
    DWORD size = sizeof(data);
    if (RegGetValueA(root, key.c_str(), name.empty() ? nullptr : name.c_str(), RRF_RT_REG_SZ, nullptr, data, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::string(data);
}

std::optional<DWORD> RegistryNumber(HKEY root, const std::string& key, const std::string& name) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void SetRegistryValue(HKEY root, const std::string& key, const std::string& name, const std::string& data) {
    HKEY opened = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr))
        return;
    UniqueKey owned(opened);
    RegSetValueExA(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   DWORD(data.size() + 1));
}

void DeleteRegistryValue(HKEY root, const std::string& key, const std::string& name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, &opened))
        return;
    UniqueKey owned(opened);
    RegDeleteValueA(opened, name.c_str());
}

void SetRegistryNumber(HKEY root, const std::string& key, const std::string& name, DWORD value) {
    HKEY opened = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr))
        return;
    UniqueKey owned(opened);
    RegSetValueExA(opened, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

}  // namespace driver
