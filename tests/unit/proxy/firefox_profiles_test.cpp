#include "proxy/firefox_profiles.h"

#include <gtest/gtest.h>

namespace {

const std::string kFirefox = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\";

// profiles.ini as a current Firefox writes it beside installs.ini: its install's profile, and the
// legacy profile it made first, still marked Default=1.
const char kCurrentProfilesIni[] =
    "[Install308046B0AF4A39CB]\n"
    "Default=Profiles/ab12.default-release\n"
    "Locked=1\n"
    "\n"
    "[Profile1]\n"
    "Name=default\n"
    "IsRelative=1\n"
    "Path=Profiles/cd34.default\n"
    "Default=1\n"
    "\n"
    "[Profile0]\n"
    "Name=default-release\n"
    "IsRelative=1\n"
    "Path=Profiles/ab12.default-release\n"
    "\n"
    "[General]\n"
    "StartWithLastProfile=1\n"
    "Version=2\n";

TEST(FirefoxProfileFolders, TheInstallsProfileComesBeforeTheOneMarkedDefault) {
    const struct {
        const char* name;
        std::optional<std::string> installsIni;
        std::optional<std::string> profilesIni;
        std::vector<std::string> folders;
    } cases[] = {
        {"a current Firefox",
         "[308046B0AF4A39CB]\r\nDefault=Profiles/ab12.default-release\r\nLocked=1\r\n",
         kCurrentProfilesIni,
         {kFirefox + "Profiles\\ab12.default-release\\", kFirefox + "Profiles\\ab12.default-release\\",
          kFirefox + "Profiles\\cd34.default\\"}},
        {"profiles.ini alone",
         std::nullopt,
         kCurrentProfilesIni,
         {kFirefox + "Profiles\\ab12.default-release\\", kFirefox + "Profiles\\cd34.default\\"}},
        {"two installs, in their order",
         "[AAAA]\nDefault=Profiles/one.default-release\n[BBBB]\nDefault=Profiles/two.default-esr\n",
         std::nullopt,
         {kFirefox + "Profiles\\one.default-release\\", kFirefox + "Profiles\\two.default-esr\\"}},
        {"a Firefox before installs (version 66)",
         std::nullopt,
         "\xEF\xBB\xBF[General]\r\nStartWithLastProfile=1\r\n[Profile0]\r\nName=default\r\nIsRelative=1\r\n"
         "Path=Profiles/cd34.default\r\nDefault=1\r\n",
         {kFirefox + "Profiles\\cd34.default\\"}},
        {"absolute paths",
         "[AAAA]\nDefault=D:\\Firefox profiles\\work\n",
         "[Profile0]\nName=other\nIsRelative=0\nPath=E:\\profiles\\other\\\nDefault=1\n",
         {"D:\\Firefox profiles\\work\\", "E:\\profiles\\other\\"}},
        {"no profile marked, none installed",
         std::nullopt,
         "[Profile0]\nName=default\nIsRelative=1\nPath=Profiles/cd34.default\n",
         {}},
        {"no files", std::nullopt, std::nullopt, {}},
        {"empty or broken entries",
         "Default=Profiles/before.section\n[AAAA]\nDefault=\n",
         "[Profile0]\nDefault=1\nIsRelative=1\n[Profile1]\nPath=Profiles/x\nDefault=0\n",
         {}},
    };
    for (const auto& c : cases) {
        const std::optional<std::string_view> installs =
            c.installsIni ? std::optional<std::string_view>(*c.installsIni) : std::nullopt;
        const std::optional<std::string_view> profiles =
            c.profilesIni ? std::optional<std::string_view>(*c.profilesIni) : std::nullopt;
        EXPECT_EQ(FirefoxProfileFolders(kFirefox, installs, profiles), c.folders) << c.name;
    }
}

}  // namespace
