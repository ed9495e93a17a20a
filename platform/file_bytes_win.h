// Whole files through the Win32 file functions, for every port that reads or writes one.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// The file's bytes as they are on disk; nullopt when it cannot be read.
std::optional<std::string> ReadFileBytes(std::string_view path);

// Writes `bytes` through a handle opened with `access` and `disposition` (CREATE_ALWAYS replaces
// the file, FILE_APPEND_DATA with OPEN_EXISTING adds to it), shared for reading meanwhile; false
// when they were not all written.
bool WriteFileBytes(std::string_view path, DWORD access, DWORD disposition, std::string_view bytes);
