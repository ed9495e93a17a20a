// Folder path helpers shared by the settings and every subsystem that builds paths.
#pragma once

#include <string>
#include <string_view>

// The text unchanged when it ends in a backslash, otherwise the text followed by one.
std::string IncludeBackslash(std::string_view text);
