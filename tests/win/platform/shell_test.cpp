#include "platform/shell_win.h"

#include "common/unique_handle_win.h"
#include "win/settings/scratch_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

// The file's bytes once its writer has closed it; nullopt before.
std::optional<std::string> ClosedFileBytes(const std::string& path) {
    UniqueFile exclusive(
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!exclusive)
        return std::nullopt;
    exclusive.Reset();
    return FileBytes(path);
}

TEST(WinShell, OpensAProgramWithItsParameters) {
    ScratchFolder scratch;
    const std::string marker = scratch.Path("opened.txt");
    WinShell().Open("cmd.exe", "/c echo opened>\"" + marker + "\"");

    // The shell starts the program and returns at once: wait for its mark, up to a deadline.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!ClosedFileBytes(marker) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(ClosedFileBytes(marker), "opened\r\n");
}

}  // namespace
