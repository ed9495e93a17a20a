// Where the program and its files are, found the same way by the program at its start and by its
// watch after its end.
#pragma once

#include <string>

#include "settings/program_values.h"

class FolderSystem;
class OsInfo;
class SettingsStore;

// ExePath, AppFolder, AppDataFolder, DataFolder (ending in a backslash), TempFolder,
// SettingsPath and UserProxyPath; nothing is created.
void FindProgramFolders(const FolderSystem& folders, const OsInfo& os, ProgramValues& values);

// The local proxy port of the program's runs: Config/InternalPort, "7070" when none is set.
std::string ReadInternalPort(const SettingsStore& settings);
