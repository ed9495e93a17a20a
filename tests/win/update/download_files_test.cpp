#include "update/download_files_win.h"

#include <gtest/gtest.h>

#include "win/settings/scratch_folder.h"

namespace {

TEST(WinDownloadFiles, CreatesOrEmptiesAFileAndWritesItInPieces) {
    ScratchFolder scratch;
    const std::string path = scratch.Path("masqng-update.exe");
    WriteBytes(path, "an older, longer download");
    WinDownloadFiles files;
    {
        auto file = files.Create(path);
        ASSERT_TRUE(file);
        EXPECT_TRUE(file->Write("MZ", 2));
        EXPECT_TRUE(file->Write("\0\1", 2));
        EXPECT_EQ(FileBytes(path), std::string("MZ\0\1", 4));  // readable while being written
    }
    EXPECT_EQ(files.ReadSmall(path, 4), std::string("MZ\0\1", 4));
    EXPECT_EQ(files.ReadSmall(path, 3), std::nullopt);

    files.Remove(path);
    EXPECT_EQ(FileBytes(path), std::nullopt);
    files.Remove(path);  // already gone: no error
    EXPECT_EQ(files.ReadSmall(path, 100), std::nullopt);
}

TEST(WinDownloadFiles, AFileInAMissingFolderCannotBeCreated) {
    ScratchFolder scratch;
    EXPECT_EQ(WinDownloadFiles().Create(scratch.Path("missing\\masqng-update.exe")), nullptr);
}

}  // namespace
