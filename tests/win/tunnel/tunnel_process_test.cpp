#include "tunnel/tunnel_process_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/folder_system_win.h"
#include "settings/folders.h"
#include "tests/driver/files.h"
#include "tests/driver/program.h"
#include "tests/driver/ui.h"
#include "tests/driver/wait.h"

namespace {

using namespace driver;

// The client's stand-in installed as warden.exe in a program folder whose name has a blank, with
// a program at the place Windows would try first for an unquoted path ("C:\Masq.exe").
class TunnelProcessTest : public testing::Test {
  protected:
    void SetUp() override {
        const std::string printer = ExtractFolder(WinFolderSystem().ExecutablePath()) + "status_printer.exe";
        DeleteTree(kFolder);
        CreateDirectoryA(kFolder, nullptr);
        ASSERT_TRUE(CopyFileTo(printer, client));
        ASSERT_TRUE(CopyFileTo(printer, kDecoy));
    }
    void TearDown() override {
        process.Terminate();
        process.Release();
        DeleteTree(kFolder);
        DeleteFileA(kDecoy);
    }

    bool Start(const std::string& arguments) {
        return process.Start(client, kFolder + std::string("\\warden ") + arguments);
    }
    // Reads until `wanted` bytes came, each read taking at most 255.
    std::string ReadUntil(std::size_t wanted) {
        std::string all;
        WaitUntil([&] {
            std::string read = process.ReadOutput(255);
            EXPECT_LE(read.size(), 255u);
            all += read;
            return all.size() >= wanted;
        });
        return all;
    }

    static constexpr char kFolder[] = "C:\\Masq NG process test";
    static constexpr char kDecoy[] = "C:\\Masq.exe";
    const std::string client = std::string(kFolder) + "\\warden.exe";
    WinTunnelProcess process;
};

// The handles this process holds, counted by asking after each possible value (Wine's
// GetProcessHandleCount always says 0).
int OpenHandleCount() {
    int count = 0;
    DWORD flags = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4)
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    return count;
}

std::vector<HWND> VisibleTopLevelWindows() {
    std::vector<HWND> visible;
    for (HWND window : TopLevelWindows(0))
        if (IsWindowVisible(window))
            visible.push_back(window);
    return visible;
}

TEST_F(TunnelProcessTest, StartsTheClientByItsPathWithTheCommandLineAsGivenAndNoWindow) {
    const std::vector<HWND> windowsBefore = VisibleTopLevelWindows();
    const std::string commandLine = std::string(kFolder) + "\\warden --command-line -name  -key k -do -H 7070";
    ASSERT_TRUE(process.Start(client, commandLine));
    EXPECT_EQ(ReadUntil(commandLine.size()).substr(0, commandLine.size()), commandLine)
        << "not the program at C:\\Masq.exe, and not requoted";
    EXPECT_TRUE(process.Running());
    EXPECT_EQ(VisibleTopLevelWindows(), windowsBefore);
}

TEST_F(TunnelProcessTest, PiecesArriveInOrderAndTheEndOfTheClientIsSeen) {
    ASSERT_TRUE(Start("1601 38\\r\\n 160036\\r \\n160032\\n --exit 3"));
    EXPECT_EQ(ReadUntil(19), "160138\r\n160036\r\n160032\n");
    ASSERT_TRUE(WaitUntil([&] { return !process.Running(); }));
    EXPECT_EQ(process.ReadOutput(255), "") << "an ended client's pipe gives nothing more";

    ASSERT_TRUE(Start("--exit 0"));
    ASSERT_TRUE(WaitUntil([&] { return !process.Running(); }));
    EXPECT_EQ(process.ReadOutput(255), "");
}

TEST_F(TunnelProcessTest, AFloodingClientIsReadAtMost255BytesAtATimeAndEndedOnRequest) {
    ASSERT_TRUE(Start("--flood 100"));
    ASSERT_GE(ReadUntil(1000).size(), 1000u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(process.ReadOutput(255).size(), 255u);
    EXPECT_TRUE(process.Terminate());
    ASSERT_TRUE(WaitUntil([&] { return !process.Running(); }));
    process.Release();
    EXPECT_FALSE(process.Started());
}

TEST_F(TunnelProcessTest, NoHandleStaysBehindAfterStartsEndsAndFailedStarts) {
    ASSERT_TRUE(Start("warm-up"));  // the first start loads what the process keeps for good
    process.Terminate();
    process.Release();

    const int before = OpenHandleCount();
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(Start("--exit 0"));
        ASSERT_TRUE(WaitUntil([&] { return !process.Running(); }));
        ASSERT_TRUE(Start("160138\\n"));  // the next start releases the ended client's handles
        EXPECT_TRUE(process.Terminate());
        process.Release();
        EXPECT_FALSE(process.Start(std::string(kFolder) + "\\missing.exe", "missing"));
    }
    EXPECT_EQ(OpenHandleCount(), before);
}

// However the program ends, its client ends with it: here the program is ended from outside, as
// a crash or the task manager would end it, with no chance to end its client itself.
TEST_F(TunnelProcessTest, TheClientEndsWithTheProgramThatStartedIt) {
    const std::string folder = ExtractFolder(WinFolderSystem().ExecutablePath());
    const std::string idFile = std::string(kFolder) + "\\client.id";
    Program holder("\"" + folder + "client_holder.exe\" \"" + client + "\" \"" + idFile + "\"");
    DWORD clientId = 0;
    ASSERT_TRUE(WaitUntil([&] {
        clientId = std::strtoul(ReadFile(idFile).value_or("0").c_str(), nullptr, 10);
        return clientId != 0;
    }));
    ASSERT_FALSE(ProcessEnded(clientId));

    holder.Terminate();
    EXPECT_TRUE(WaitUntil([&] { return ProcessEnded(clientId); }, 10s));
    EndProcess(clientId);  // only if it outlived its program
}

}  // namespace
