// Folders and files the program starts from, behind a port, and the path helpers shared by
// every subsystem that builds paths.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The text unchanged when it ends in a backslash, otherwise the text followed by one.
std::string IncludeBackslash(std::string_view text);

// The folder part of a path, up to and including its last backslash or drive colon.
std::string ExtractFolder(std::string_view path);

// Application Data, ending in a backslash. Windows 98 keeps it in the Windows folder.
std::string GetAppDataFolder(const FolderSystem& folders, std::string_view osName);

// The user's temporary folder, ending in a backslash.
std::string GetTempFolder(const FolderSystem& folders);

// True when the folder exists or could be created (one level).
bool ForceFolder(FolderSystem& folders, std::string_view folder);

// The lines of a text file, ended by CR LF, LF or CR; nullopt when it cannot be read.
std::optional<std::vector<std::string>> ReadTextLines(const FolderSystem& folders, std::string_view path);
