#include "platform/folder_system_win.h"
#include "settings/folders.h"

#include "win/settings/scratch_folder.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(WinFolderSystem, AppDataAndTempAreExistingFoldersEndingInABackslash) {
    WinFolderSystem folders;
    const std::string appData = GetAppDataFolder(folders, "Windows 7");
    const std::string temp = GetTempFolder(folders);
    for (const std::string& folder : {appData, temp}) {
        ASSERT_FALSE(folder.empty());
        EXPECT_EQ(folder.back(), '\\') << folder;
        EXPECT_EQ(folder.find("\\\\"), std::string::npos) << folder;
        EXPECT_TRUE(folders.FolderExists(folder)) << folder;
    }
    EXPECT_EQ(GetAppDataFolder(folders, "Windows 98"),
              IncludeBackslash(folders.WindowsFolder()) + "Application Data\\");
}

TEST(WinFolderSystem, KnowsItsOwnExecutable) {
    WinFolderSystem folders;
    const std::string exe = folders.ExecutablePath();
    EXPECT_TRUE(exe.ends_with("\\win_tests.exe")) << exe;
    EXPECT_TRUE(folders.FileExists(exe));
    EXPECT_FALSE(folders.FolderExists(exe));
    EXPECT_TRUE(folders.FolderExists(ExtractFolder(exe)));
    EXPECT_FALSE(folders.FileExists(ExtractFolder(exe)));
}

TEST(WinFolderSystem, ForceFolderCreatesOneLevelOnly) {
    ScratchFolder scratch;
    WinFolderSystem folders;
    const std::string dataFolder = scratch.Path("Masq NG");

    EXPECT_TRUE(ForceFolder(folders, dataFolder));
    EXPECT_TRUE(folders.FolderExists(dataFolder));
    EXPECT_TRUE(ForceFolder(folders, dataFolder));

    EXPECT_FALSE(ForceFolder(folders, scratch.Path("missing\\Masq NG")));
    EXPECT_FALSE(folders.FolderExists(scratch.Path("missing")));
}

TEST(WinFolderSystem, ReadsTheLinesOfATextFile) {
    ScratchFolder scratch;
    WinFolderSystem folders;
    WriteBytes(scratch.Path("masq.ini"), "[Config]\r\nVersion=1.84\nFirstRun=0\r\n");

    EXPECT_EQ(ReadTextLines(folders, scratch.Path("masq.ini")), (Lines{"[Config]", "Version=1.84", "FirstRun=0"}));
    EXPECT_EQ(ReadTextLines(folders, scratch.Path("missing.ini")), std::nullopt);
    EXPECT_EQ(ReadTextLines(folders, scratch.Folder()), std::nullopt);
}

}  // namespace
