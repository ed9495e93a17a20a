#include "platform/os_info_win.h"

#include "common/unique_handle_win.h"
#include "platform/environment.h"
#include "platform/folder_system_win.h"
#include "platform/registry_win.h"
#include "settings/folders.h"
#include "win/settings/environment_case.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Starts the probe under a Wine version setting of its own executable and gives its exit code.
DWORD ProbeVersionCodeUnder(const std::string& wineVersion) {
    WinRegistry registry;
    const std::string settings = "Software\\Wine\\AppDefaults\\os_version_probe.exe";
    EXPECT_TRUE(registry.WriteString(RegistryRoot::CurrentUser, settings, "Version", wineVersion));

    const std::string probe = ExtractFolder(WinFolderSystem().ExecutablePath()) + "os_version_probe.exe";
    std::string commandLine = '"' + probe + '"';
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    DWORD exitCode = 0;
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        UniqueHandle process(started.hProcess);
        UniqueHandle thread(started.hThread);
        EXPECT_EQ(WaitForSingleObject(process.Get(), 60000), WAIT_OBJECT_0);
        GetExitCodeProcess(process.Get(), &exitCode);
    } else {
        ADD_FAILURE() << "cannot start " << commandLine;
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, settings.c_str());
    return exitCode;
}

TEST(WinOsInfo, ShowsTheVersionWineIsSetToForTheExecutable) {
    struct Case {
        const char* wineVersion;
        DWORD code;
    };
    for (const Case& c : {Case{"winxp64", 502}, Case{"vista", 600}, Case{"win7", 601}, Case{"win8", 602}}) {
        EXPECT_EQ(ProbeVersionCodeUnder(c.wineVersion), c.code) << c.wineVersion;
    }
}

TEST(WinOsInfo, ClocksGiveTheOffsetOfTheZoneWineRunsIn) {
    const char* zone = ChosenEnvironment("TZ");
    if (!zone)
        GTEST_SKIP() << "run by CTest under chosen time zones";
    const std::map<std::string, std::string> texts = {
        {"UTC", "GMT -0"}, {"Asia/Tokyo", "GMT +9"}, {"America/Phoenix", "GMT -7"}, {"Asia/Kolkata", "GMT +5:30"}};
    ASSERT_TRUE(texts.contains(zone)) << "no expectation for TZ=" << zone;
    const WinOsInfo os;
    EXPECT_EQ(GetTimeZoneText(os.QueryUtcTime(), os.QueryLocalTime()), texts.at(zone));
}

}  // namespace
