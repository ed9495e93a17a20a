// The ways out: the Exit command and Windows ending the session, before and from Windows Vista.
#include <gtest/gtest.h>

#include <optional>

#include "tests/driver/files.h"
#include "tests/driver/program.h"
#include "tests/driver/wait.h"
#include "tests/e2e/masq_fixture.h"
#include "ui/tray/tray_menu.h"

namespace e2e {

using namespace driver;
namespace {

// Wine's way of ending the session: WM_QUERYENDSESSION to every window; exit code 0 when all
// agreed.
std::optional<DWORD> EndSession() {
    Program wineboot("wineboot.exe -e");
    return wineboot.WaitForExit(kUiTimeout);
}

std::vector<std::string> LastTexts(const Masq& masq, size_t count) {
    std::vector<std::string> texts = masq.LogTexts();
    if (texts.size() > count)
        texts.erase(texts.begin(), texts.end() - std::ptrdiff_t(count));
    return texts;
}

TEST_F(MasqTest, ExitEndsTheProgramWithClosingAsTheLastLogLine) {
    Masq masq;
    ASSERT_TRUE(masq.WaitForStartUp());
    masq.Command(TrayMenuItem::Exit1);
    EXPECT_EQ(masq.Process().WaitForExit(kUiTimeout), 0u);
    EXPECT_EQ(LastTexts(masq, 1), std::vector<std::string>{"Closing..."});
}

TEST_F(MasqTest, FromWindowsVistaOnTheSessionEndIsHeldUpWithTheReason) {
    Masq masq;
    ASSERT_TRUE(masq.WaitForStartUp());
    EXPECT_EQ(EndSession(), 1u) << "the program answered no";
    EXPECT_TRUE(masq.Process().Running());
    EXPECT_EQ(
        LastTexts(masq, 2),
        (std::vector<std::string>{"Windows shut down", "Please manually close Masq before shutting down Windows."}));
}

TEST_F(MasqTest, BeforeWindowsVistaTheProxyIsRemovedAndTheSessionEnds) {
    SetWindowsVersion("winxp64");
    Masq masq;
    ASSERT_TRUE(masq.WaitForStartUp());
    EXPECT_EQ(masq.LogTexts().at(2), "OS: Unknown OS: ( Windows 5.2 ) [502]");
    EXPECT_EQ(EndSession(), 0u);
    EXPECT_TRUE(masq.Process().WaitForExit(kUiTimeout));
    EXPECT_EQ(LastTexts(masq, 2), (std::vector<std::string>{"Windows shut down", "Remove Proxy settings"}));
}

}  // namespace
}  // namespace e2e
