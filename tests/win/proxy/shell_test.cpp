#include "proxy/shell_win.h"

#include "win/settings/scratch_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

TEST(WinShell, OpensAProgramWithItsParameters) {
    ScratchFolder scratch;
    const std::string marker = scratch.Path("opened.txt");
    WinShell().Open("cmd.exe", "/c echo opened>\"" + marker + "\"");

    // The shell starts the program and returns at once: wait for its mark, up to a deadline.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (FileBytes(marker) != "opened\r\n" && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(FileBytes(marker), "opened\r\n");
}

}  // namespace
