// The path helpers shared by every subsystem that builds paths, over the FolderSystem port.
#pragma once

#include "platform/folder_system.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
