// Program-wide values, fixed once at start-up by InitSettings and read-only afterwards.
#pragma once

#include <string>

#include "program_version.h"
#include "settings/maker_site.h"

inline constexpr char ProgramVersion[] = MASQ_PROGRAM_VERSION;
inline constexpr char BuildNumber[] = MASQ_BUILD_NUMBER;
// The program's product number towards the maker's directory service.
inline constexpr int ProductId = 1;

struct ProgramValues {
    std::string ExePath;        // full path of the running executable
    std::string AppFolder;      // its folder, ending in a backslash (warden.exe, default.skn)
    std::string AppDataFolder;  // the user's Application Data, ending in a backslash (Firefox's profiles)
    std::string DataFolder;     // "Masq NG" under Application Data, ending in a backslash
    std::string TempFolder;     // the user's temporary folder, ending in a backslash
    std::string SettingsPath;   // DataFolder + "masq.ini"
    std::string UserProxyPath;  // DataFolder + "userproxy.ini": the program's own records, kept out of masq.ini
    std::string SkinPath;       // Config/Skin, by default AppFolder + "default.skn"
    std::string InternalPort;   // Config/InternalPort, the local proxy port as text
    bool IsFirstRun = false;    // Config/FirstRun was true at this start
    bool IsNewVersion = false;  // Config/Version differed from ProgramVersion at this start
    MakerSite Site;             // the maker's hosts: compiled-in, or site.ini beside the program
};
