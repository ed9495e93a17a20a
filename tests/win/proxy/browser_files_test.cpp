#include "proxy/browser_files_win.h"
#include "proxy/window_titles_win.h"

#include "win/settings/scratch_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

using ::testing::Contains;
using ::testing::Not;
using ::testing::UnorderedElementsAre;

namespace {

TEST(WinBrowserFiles, FindsFoldersAndFilesByPatternWithTheirMarksAndTellsFoldersFromFiles) {
    ScratchFolder scratch;
    CreateDirectoryA(scratch.Path("abc.default").c_str(), nullptr);
    CreateDirectoryA(scratch.Path("hidden.default").c_str(), nullptr);
    SetFileAttributesA(scratch.Path("hidden.default").c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteBytes(scratch.Path("file.default"), "");
    SetFileAttributesA(scratch.Path("file.default").c_str(), FILE_ATTRIBUTE_SYSTEM);
    CreateDirectoryA(scratch.Path("abc.default-release").c_str(), nullptr);

    WinBrowserFiles files;
    EXPECT_THAT(files.FindEntries(scratch.Path("*.default")),
                UnorderedElementsAre(FolderEntry{"abc.default"}, FolderEntry{"hidden.default", true, false},
                                     FolderEntry{"file.default", false, true}));
    EXPECT_TRUE(files.FindEntries(scratch.Path("missing\\*.default")).empty());

    EXPECT_TRUE(files.FolderExists(scratch.Path("abc.default-release") + "\\"));
    EXPECT_TRUE(files.FolderExists(scratch.Path("abc.default")));
    EXPECT_FALSE(files.FolderExists(scratch.Path("file.default")));
    EXPECT_FALSE(files.FolderExists(scratch.Path("missing") + "\\"));
}

TEST(WinBrowserFiles, WritesReadsCopiesOnceAndRemoves) {
    ScratchFolder scratch;
    WinBrowserFiles files;
    const std::string userJs = scratch.Path("user.js"), backup = scratch.Path("user.js.first");

    EXPECT_FALSE(files.FileExists(userJs));
    EXPECT_FALSE(files.FileExists(scratch.Folder()));
    ASSERT_TRUE(files.Write(userJs, "first\r\n"));
    EXPECT_TRUE(files.FileExists(userJs));
    EXPECT_TRUE(files.CopyIfAbsent(userJs, backup));
    ASSERT_TRUE(files.Write(userJs, "second"));
    EXPECT_FALSE(files.CopyIfAbsent(userJs, backup));
    EXPECT_EQ(files.Read(backup), "first\r\n");
    EXPECT_EQ(files.Read(userJs), "second");

    EXPECT_TRUE(files.Remove(userJs));
    EXPECT_FALSE(files.Remove(userJs));
    EXPECT_EQ(files.Read(userJs), std::nullopt);
    EXPECT_FALSE(files.Write(scratch.Path("missing\\user.js"), "x"));
}

// A top-level window of the test's own, never shown.
class OwnWindow {
  public:
    explicit OwnWindow(const std::string& title)
        : window_(CreateWindowExA(0,
                                  "STATIC",
                                  title.c_str(),
                                  WS_OVERLAPPED,
                                  0,
                                  0,
                                  10,
                                  10,
                                  nullptr,
                                  nullptr,
                                  nullptr,
                                  nullptr)) {}
    ~OwnWindow() { DestroyWindow(window_); }
    OwnWindow(const OwnWindow&) = delete;
    OwnWindow& operator=(const OwnWindow&) = delete;

  private:
    HWND window_;
};

TEST(WinWindowTitles, GivesTheTopLevelTitlesCutToTheirLength) {
    const std::string longTitle = std::string(300, 'x') + " - Mozilla Firefox";
    OwnWindow firefox("Example Domain - Mozilla Firefox");
    OwnWindow longOne(longTitle);

    const std::vector<std::string> titles = WinWindowTitles().TopLevelTitles(1001, 254);
    EXPECT_THAT(titles, Contains("Example Domain - Mozilla Firefox"));
    EXPECT_THAT(titles, Contains(longTitle.substr(0, 254)));
    EXPECT_THAT(titles, Not(Contains(longTitle)));
    EXPECT_EQ(WinWindowTitles().TopLevelTitles(1, 254).size(), 1u);
}

}  // namespace
