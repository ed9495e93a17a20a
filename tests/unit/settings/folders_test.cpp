#include "settings/folders.h"

#include "fakes/fake_folder_system.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(IncludeBackslash, AddsOneOnlyWhenMissing) {
    EXPECT_EQ(IncludeBackslash("C:\\Masq"), "C:\\Masq\\");
    EXPECT_EQ(IncludeBackslash("C:\\Masq\\"), "C:\\Masq\\");
    EXPECT_EQ(IncludeBackslash(""), "\\");
}

TEST(ExtractFolder, KeepsEverythingUpToTheLastBackslashOrDriveColon) {
    EXPECT_EQ(ExtractFolder("C:\\Program Files\\Masq NG\\masqng.exe"), "C:\\Program Files\\Masq NG\\");
    EXPECT_EQ(ExtractFolder("C:masqng.exe"), "C:");
    EXPECT_EQ(ExtractFolder("masqng.exe"), "");
}

TEST(GetAppDataFolder, WindowsNinetyEightKeepsItInTheWindowsFolder) {
    FakeFolderSystem folders;
    EXPECT_EQ(GetAppDataFolder(folders, "Windows 98"), "C:\\WINDOWS\\Application Data\\");
    folders.windowsFolder = "C:\\WINDOWS\\";
    EXPECT_EQ(GetAppDataFolder(folders, "Windows 98"), "C:\\WINDOWS\\Application Data\\");
}

TEST(GetAppDataFolder, OtherSystemsUseTheUsersFolderEndingInABackslash) {
    FakeFolderSystem folders;
    EXPECT_EQ(GetAppDataFolder(folders, "Windows XP"), "C:\\Users\\me\\AppData\\Roaming\\");
    EXPECT_EQ(GetAppDataFolder(folders, "Unknown OS: ( Windows 4.10 )"), "C:\\Users\\me\\AppData\\Roaming\\");
    EXPECT_EQ(GetAppDataFolder(folders, "windows 98"), "C:\\Users\\me\\AppData\\Roaming\\");
}

TEST(GetTempFolder, EndsInABackslash) {
    FakeFolderSystem folders;
    folders.tempPath = "C:\\Temp";
    EXPECT_EQ(GetTempFolder(folders), "C:\\Temp\\");
    folders.tempPath = "C:\\Temp\\";
    EXPECT_EQ(GetTempFolder(folders), "C:\\Temp\\");
}

TEST(ForceFolder, TakesAnExistingFolderAndCreatesOneLevelOnly) {
    FakeFolderSystem folders;
    folders.folders = {"C:\\AppData", "C:\\AppData\\Masq NG"};
    EXPECT_TRUE(ForceFolder(folders, "C:\\AppData\\Masq NG"));
    EXPECT_EQ(folders.foldersCreated, 0);

    folders.folders = {"C:\\AppData"};
    EXPECT_TRUE(ForceFolder(folders, "C:\\AppData\\Masq NG"));
    EXPECT_TRUE(folders.FolderExists("C:\\AppData\\Masq NG"));

    EXPECT_FALSE(ForceFolder(folders, "C:\\Missing\\Masq NG"));
    EXPECT_FALSE(folders.FolderExists("C:\\Missing"));
}

TEST(ReadTextLines, GivesTheFilesLinesOrNothingWhenUnreadable) {
    FakeFolderSystem folders;
    folders.files["C:\\masq.ini"] = "[Config]\r\nFirstRun=0\r\n";
    EXPECT_EQ(ReadTextLines(folders, "C:\\masq.ini"), (Lines{"[Config]", "FirstRun=0"}));
    EXPECT_EQ(ReadTextLines(folders, "C:\\missing.ini"), std::nullopt);
}

}  // namespace
