#include "ui/advice/browser_tour.h"

#include <gtest/gtest.h>

#include "settings/maker_site.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_shell.h"

namespace {

constexpr char kHttpCommandKey[] = "http\\shell\\open\\command";

TEST(TourRowFor, TheFirstRowInTableOrderWinsWhateverTheLetterCase) {
    const struct {
        const char* command;
        const char* path;
    } cases[] = {
        {"\"C:\\Program Files\\Mozilla Firefox\\FIREFOX.EXE\" -osint -url \"%1\"", "/masq-with-firefox.htm"},
        {"\"C:\\Program Files\\Internet Explorer\\IExplore.exe\" %1", "/masq-with-internet-explorer.htm"},
        {"\"C:\\Users\\u\\AppData\\Local\\Google\\Chrome\\Application\\chrome.exe\" -- \"%1\"",
         "/masq-with-chrome.htm"},
        {"\"C:\\Program Files\\Opera\\launcher.exe\" -noautoupdate -- \"%1\"", "/masq-with-opera.htm"},
        {"\"C:\\Opera Tools\\chrome-bridge.exe\" \"%1\"", "/masq-with-chrome.htm"},  // Chrome's row comes first
        {"\"C:\\windows\\system32\\winebrowser.exe\" \"%1\"", "/masq-with-other-browser.htm"},
        {"", "/masq-with-other-browser.htm"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(TourRowFor(c.command).path), c.path) << c.command;
    EXPECT_EQ(std::string(TourRowFor("firefox").notice),
              "Masq NG detected you default browser is Firefox. We'll show you how to use Masq NG with Firefox.");
    EXPECT_EQ(std::string(TourRowFor("").notice),
              "Masq NG detected you default browser is other browser. We'll show you how to use Masq NG with other "
              "browser.");
}

TEST(ShowTour, ShowsTheNoticeThenOpensTheGuidePageOnceItIsClosed) {
    FakeRegistry registry;
    registry.values[{RegistryRoot::ClassesRoot, kHttpCommandKey, ""}] = "\"C:\\Opera\\opera.exe\" \"%1\"";
    FakeShell shell;
    FakeMessageBoxes messages;
    size_t openedWhileNoticeShown = 99;
    messages.whileOpen = [&](const FakeMessageBoxes::Shown&) { openedWhileNoticeShown = shell.opened.size(); };
    MakerSite site;
    site.webHost = "127.0.0.1";

    ShowTour(site, TourPorts{registry, shell, messages});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].notice);
    EXPECT_EQ(messages.shown[0].caption, "Masq NG");
    EXPECT_EQ(messages.shown[0].text,
              "Masq NG detected you default browser is Opera. We'll show you how to use Masq NG with Opera.");
    EXPECT_EQ(openedWhileNoticeShown, 0u);
    EXPECT_EQ(shell.opened, (std::vector<FakeShell::Opened>{{"http://127.0.0.1/masq-with-opera.htm", ""}}));
}

TEST(ShowTour, WithoutADefaultBrowserInternetExplorerOpensTheOtherBrowsersPage) {
    FakeRegistry registry;
    FakeShell shell;
    FakeMessageBoxes messages;
    MakerSite site;
    site.webHost = "127.0.0.1";
    ShowTour(site, TourPorts{registry, shell, messages});
    EXPECT_EQ(shell.opened,
              (std::vector<FakeShell::Opened>{{"iexplore.exe", "http://127.0.0.1/masq-with-other-browser.htm"}}));
}

}  // namespace
