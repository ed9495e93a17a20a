#include "app/program_folders.h"

#include "app/app_texts.h"
#include "platform/environment.h"
#include "platform/os_info.h"
#include "settings/folders.h"
#include "settings/settings_keys.h"
#include "settings/settings_store.h"

void FindProgramFolders(const FolderSystem& folders, const OsInfo& os, ProgramValues& values) {
    values.ExePath = folders.ExecutablePath();
    values.AppFolder = ExtractFolder(values.ExePath);
    values.AppDataFolder = GetAppDataFolder(folders, GetOSName(os.QueryOsVersion()).name);
    values.DataFolder = values.AppDataFolder + kDataFolderName + "\\";
    values.TempFolder = GetTempFolder(folders);
    values.SettingsPath = values.DataFolder + kSettingsFileName;
    values.UserProxyPath = values.DataFolder + kUserProxyFileName;
}

std::string ReadInternalPort(const SettingsStore& settings) {
    return settings.ReadString(kConfig, kInternalPort, kDefaultInternalPort);
}
