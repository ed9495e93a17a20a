// Folders and files in memory. A folder can be created only inside one that exists.
#pragma once

#include "settings/folders.h"

#include <map>
#include <set>
#include <string>

class FakeFolderSystem final : public FolderSystem {
  public:
    std::string executablePath = "C:\\Program Files\\Masq NG\\masqng.exe";
    std::string windowsFolder = "C:\\WINDOWS";
    std::string userAppDataFolder = "C:\\Users\\me\\AppData\\Roaming";
    std::string tempPath = "C:\\Users\\me\\Temp\\";
    std::set<std::string, std::less<>> folders;
    std::map<std::string, std::string, std::less<>> files;
    int foldersCreated = 0;

    std::string ExecutablePath() const override { return executablePath; }
    std::string WindowsFolder() const override { return windowsFolder; }
    std::string UserAppDataFolder() const override { return userAppDataFolder; }
    std::string TempPath() const override { return tempPath; }

    bool FolderExists(std::string_view path) const override { return folders.contains(path); }
    bool FileExists(std::string_view path) const override { return files.contains(path); }
    bool CreateFolder(std::string_view path) override {
        const auto parentEnd = path.find_last_of('\\');
        if (parentEnd == std::string_view::npos || !folders.contains(path.substr(0, parentEnd)))
            return false;
        folders.emplace(path);
        ++foldersCreated;
        return true;
    }
    std::optional<std::string> ReadTextFile(std::string_view path) const override {
        auto found = files.find(path);
        if (found == files.end())
            return std::nullopt;
        return found->second;
    }
};
