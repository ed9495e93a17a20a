// Which profile Firefox starts with, read from Firefox's own files in its folder under Application
// Data ("Mozilla\Firefox\"), without touching a disk:
//   installs.ini   [308046B0AF4A39CB]              one section per installed Firefox (version 67 on)
//                  Default=Profiles/ab12.default-release
//   profiles.ini   [Install308046B0AF4A39CB]       the same, for readers that know no installs.ini
//                  Default=Profiles/ab12.default-release
//                  [Profile0]                      every profile
//                  Name=default
//                  IsRelative=1                    Path relative to the folder, with "/" (0: absolute)
//                  Path=Profiles/cd34.default
//                  Default=1                       the profile of Firefox before version 67
// A current Firefox starts with its install's profile ("*.default-release") and leaves the one
// marked Default=1 (the legacy "*.default") unused.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The profile folders Firefox would start with, best first, each ending in a backslash: the
// installs' defaults (installs.ini, then profiles.ini's [Install…] sections), then the profile
// marked Default=1. `firefoxFolder` ends in a backslash; either file may be missing.
std::vector<std::string> FirefoxProfileFolders(std::string_view firefoxFolder,
                                               std::optional<std::string_view> installsIni,
                                               std::optional<std::string_view> profilesIni);
