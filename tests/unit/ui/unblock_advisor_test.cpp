#include "ui/advice/unblock_advisor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "settings/program_values.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_unblock_dialog.h"

namespace {

using ::testing::ElementsAre;

class UnblockAdvisorTest : public ::testing::Test {
  protected:
    UnblockAdvisorTest() {
        values.AppFolder = "C:\\Program Files\\Masq NG\\";
        values.Site.webHost = "127.0.0.1";
    }
    ProgramValues values;
    FakeUnblockDialog dialog;
    FakeRegistry registry;
    FakeShell shell;
    std::function<void()> silentUpdate;
    UnblockAdvisor advisor{values, UnblockPorts{dialog, registry, shell}, [this] { silentUpdate(); }};
};

TEST_F(UnblockAdvisorTest, EachKindShowsItsTextAndBothPathsAndOnlyAFailedRequestOffersReconnect) {
    advisor.ShowUnblockAdvice(UnblockAdvice::DirectoryRequestFailed);
    advisor.ShowUnblockAdvice(UnblockAdvice::TunnelCannotReachInternet);
    const std::string program = "C:\\Program Files\\Masq NG\\masqng.exe";
    const std::string warden = "C:\\Program Files\\Masq NG\\warden.exe";
    EXPECT_THAT(dialog.shown,
                ElementsAre(UnblockAdviceContent{"Silent Update failed! You should enable the following programs to "
                                                 "access the Internet with your Firewall. Then click the RECONNECT "
                                                 "button.",
                                                 true, program, warden},
                            UnblockAdviceContent{"Connect to the Internet failed! You should enable the following "
                                                 "programs to access the Internet with your Firewall. Then RESTART "
                                                 "Masq NG.",
                                                 false, program, warden}));
}

TEST_F(UnblockAdvisorTest, HelpOpensTheFirewallPageAndCloseRunsNothing) {
    registry.values[{RegistryRoot::ClassesRoot, "http\\shell\\open\\command", ""}] = "browser.exe \"%1\"";
    int helpClicks = 0;
    dialog.whileOpen = [&](const std::function<void()>& helpClick) {
        helpClick();
        helpClick();  // the dialog stays open for another
        helpClicks = int(shell.opened.size());
    };
    int requests = 0;
    silentUpdate = [&] { ++requests; };
    advisor.ShowUnblockAdvice(UnblockAdvice::DirectoryRequestFailed);
    EXPECT_EQ(helpClicks, 2);
    EXPECT_EQ(shell.opened.front(), (FakeShell::Opened{"http://127.0.0.1/setup-firewall.htm", ""}));
    EXPECT_EQ(requests, 0);
}

// The directory request that failed waits in the advice; Reconnect closes the dialog and runs
// the request again inside it; the failed run finishes last.
TEST_F(UnblockAdvisorTest, ReconnectRunsTheRequestAgainAfterTheDialogIsGoneAndTheFailedRunFinishesLast) {
    std::vector<std::string> events;
    dialog.onClosed = [&] { events.push_back("advice closed"); };
    int runs = 0;
    bool siteReachable = false;
    silentUpdate = [&] {
        const std::string run = "request " + std::to_string(++runs);
        events.push_back(run);
        if (siteReachable) {
            events.push_back(run + " chooses a node");
            return;
        }
        advisor.ShowUnblockAdvice(UnblockAdvice::DirectoryRequestFailed);
        events.push_back(run + " shows the off state");
    };

    // The first Reconnect fails again; the second reaches the site.
    dialog.answers = {UnblockChoice::Reconnect, UnblockChoice::Reconnect};
    dialog.whileOpen = [&](const std::function<void()>&) { siteReachable = runs == 2; };
    silentUpdate();
    EXPECT_THAT(events, ElementsAre("request 1", "advice closed", "request 2", "advice closed", "request 3",
                                    "request 3 chooses a node", "request 2 shows the off state",
                                    "request 1 shows the off state"));
}

}  // namespace
