// Folders and files the program starts from: the system's well-known folders and the few file
// operations start-up and the subsystems need.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class FolderSystem {
  public:
    virtual ~FolderSystem() = default;

    // Each query gives an empty text when the system has no answer.
    virtual std::string ExecutablePath() const = 0;
    virtual std::string WindowsFolder() const = 0;
    virtual std::string UserAppDataFolder() const = 0;  // the user's roaming Application Data
    virtual std::string TempPath() const = 0;

    virtual bool FolderExists(std::string_view path) const = 0;
    virtual bool FileExists(std::string_view path) const = 0;
    // One level only: the parent must exist.
    virtual bool CreateFolder(std::string_view path) = 0;
    // The whole file as it is on disk; nullopt when it cannot be read.
    virtual std::optional<std::string> ReadTextFile(std::string_view path) const = 0;
};
