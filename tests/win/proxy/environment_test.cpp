#include "proxy/environment_win.h"
#include "proxy/registry_win.h"

#include "common/unique_handle.h"
#include "settings/folder_system_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

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

TEST(QueryOsVersion, ShowsTheVersionWineIsSetToForTheExecutable) {
    struct Case {
        const char* wineVersion;
        DWORD code;
    };
    for (const Case& c : {Case{"winxp64", 502}, Case{"vista", 600}, Case{"win7", 601}, Case{"win8", 602}}) {
        EXPECT_EQ(ProbeVersionCodeUnder(c.wineVersion), c.code) << c.wineVersion;
    }
}

// CTest runs this again under chosen time zones (tests/win/proxy/CMakeLists.txt).
TEST(QueryTimeZoneText, GivesTheOffsetOfTheZoneWineRunsIn) {
    const char* zone = std::getenv("TZ");
    if (!std::getenv("MASQ_ENVIRONMENT_CASE") || !zone)
        GTEST_SKIP() << "run under a chosen TZ by CTest";
    struct Case {
        const char* zone;
        const char* text;
    };
    const Case cases[] = {
        {"UTC", "GMT -0"}, {"Asia/Tokyo", "GMT +9"}, {"America/Phoenix", "GMT -7"}, {"Asia/Kolkata", "GMT +5:30"}};
    for (const Case& c : cases) {
        if (std::strcmp(c.zone, zone) == 0) {
            EXPECT_EQ(QueryTimeZoneText(), c.text);
            return;
        }
    }
    FAIL() << "no expectation for TZ=" << zone;
}

}  // namespace
