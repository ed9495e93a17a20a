// Where the program and its files are, found the same way by the program at its start and by its
// watch after its end.
#pragma once

#include "settings/program_values.h"

class FolderSystem;
class OsInfo;

// ExePath, AppFolder, AppDataFolder, DataFolder (ending in a backslash), TempFolder and
// SettingsPath; nothing is created.
void FindProgramFolders(const FolderSystem& folders, const OsInfo& os, ProgramValues& values);
