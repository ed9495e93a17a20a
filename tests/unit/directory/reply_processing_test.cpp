#include "directory/reply_processing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "directory/node_selection.h"
#include "directory/reply_parser.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_random_pick.h"
#include "tests/fakes/fake_select_ip_dialogs.h"
#include "tests/fakes/fake_settings_store.h"
#include "tests/fakes/fake_status_display.h"
#include "tests/fakes/recording_log.h"
#include "tests/unit/directory/reply_text.h"
#include "ui/tray/masq_status.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

class DirectoryReplyTest : public testing::Test {
  protected:
    DirectoryReplyTest() {
        calls.showUpdateDialog = [this](const ReplyLines& reply) {
            events.push_back("update dialog " + reply.Value("NewVersionSHA256"));
            return updateGoesOn;
        };
        calls.showTour = [this] { events.push_back("tour"); };
    }
    bool Process(const std::string& text) {
        DirectoryReply reply(values, session, ReplyPorts{log, messages, status, settings}, calls, selection);
        return reply.ProcessDirectoryReply(text);
    }

    ProgramValues values;
    SessionValues session;
    RecordingLog log;
    FakeMessageBoxes messages;
    FakeStatusDisplay display;
    MasqStatus status{display};
    FakeSettingsStore settings;
    FakeRandomPick random;
    FakeSelectIpDialogs dialogs;
    std::vector<std::string> events;
    NodeSelection selection{session, SelectionPorts{log, status, settings, random, dialogs},
                            TunnelLaunch{[this] { events.push_back("Sweep"); },
                                         [this](const TServer& node) { events.push_back("Masq " + node.Host); }}};
    ReplyCalls calls;
    bool updateGoesOn = true;
};

TEST_F(DirectoryReplyTest, NodesAreTakenAndWithoutAutomaticChoiceTheUserIsAsked) {
    EXPECT_TRUE(Process(ReplyText{.port = "443"}.Node("10", "192.0.2.5-7").Text()));
    EXPECT_EQ(session.ServerCount(), 3);
    EXPECT_EQ(session.ServerPort, "443");
    EXPECT_EQ(session.ServerUser, "user");
    EXPECT_EQ(session.ServerKey, "key");
    EXPECT_EQ(display.look.tip, "Please Select an IP Address");
    ASSERT_EQ(dialogs.openings.size(), 1u);
    EXPECT_FALSE(dialogs.openings[0].cancelEnabled);
    EXPECT_THAT(events, IsEmpty());
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(DirectoryReplyTest, WithAutomaticChoiceANodeOfTheLastLocationIsLaunched) {
    settings.Seed("Config", "AutoSelectCountry", "1");
    settings.Seed("Config", "LastCountry", "11");
    EXPECT_TRUE(Process(ReplyText{}.Node("10", "10.0.0.1").Node("11", "10.0.1.1").Text()));
    EXPECT_THAT(events, ElementsAre("Sweep", "Masq 10.0.1.1"));
    EXPECT_THAT(dialogs.openings, IsEmpty());

    // A location no node has: the user is asked.
    settings.Seed("Config", "LastCountry", "40");
    Process(ReplyText{}.Node("10", "10.0.0.1").Text());
    EXPECT_EQ(display.look.tip, "Please Select an IP Address");
    EXPECT_EQ(dialogs.openings.size(), 1u);
}

TEST_F(DirectoryReplyTest, ANewListReplacesTheOldWholeAndTheCurrentNodeStaysValid) {
    settings.Seed("Config", "AutoSelectCountry", "1");
    Process(ReplyText{}.Node("10", "10.0.0.1-3").Text());
    const TServer launched = *session.CurrentServer;
    Process(ReplyText{.user = "other"}.Node("20", "10.9.9.9").Text());
    EXPECT_EQ(session.ServerCount(), 1);
    EXPECT_EQ(session.Servers[0], (TServer{"#1 Masq Node", "10.9.9.9", 20, 1, false}));
    EXPECT_EQ(session.ServerUser, "other");
    // The second list has no node of 10: the dialog was asked, and the node launched before stays.
    EXPECT_EQ(session.CurrentServer, launched);
}

TEST_F(DirectoryReplyTest, AServiceFlagAloneIsToldAndCountsAsUseful) {
    EXPECT_TRUE(Process("B=1\r\nServiceNotAvailable-1=1\r\nServiceNotAvailable-2=0\r\nE=1\r\n"));
    EXPECT_THAT(log.texts, ElementsAre("Service #1 NOT available! Please contact us at once!"));
    EXPECT_THAT(messages.Texts(), ElementsAre("Service #1 NOT available! Please contact us at once!"));
    EXPECT_EQ(messages.shown[0].caption, "Masq NG");
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(display.look.tip, "Masq OFF");
    EXPECT_EQ(display.balloons.back().icon, BalloonIcon::Error);
}

TEST_F(DirectoryReplyTest, ANewVersionOpensTheUpdateDialogBeforeTheNodesAreTaken) {
    values.IsFirstRun = true;
    calls.showUpdateDialog = [this](const ReplyLines& reply) {
        events.push_back("update dialog " + reply.Value("NewVersionSHA256") + ", " +
                         std::to_string(session.ServerCount()) + " nodes");
        return true;
    };
    EXPECT_TRUE(Process(ReplyText{.extra = "NewVersion=1\r\nNewVersionSHA256=ab12\r\n"}.Node("10", "10.0.0.1").Text()));
    EXPECT_THAT(events, ElementsAre("update dialog ab12, 0 nodes", "tour"));
    EXPECT_EQ(session.ServerCount(), 1);
    EXPECT_THAT(log.texts, ElementsAre("New version of Masq NG is needed! Your current version is: 1.84"));
}

TEST_F(DirectoryReplyTest, AReplyGoesNoFurtherOnceTheNewVersionIsInstalling) {
    updateGoesOn = false;
    EXPECT_TRUE(Process(ReplyText{.extra = "NewVersion=1\r\n"}.Node("10", "10.0.0.1").Text()));
    EXPECT_EQ(session.ServerCount(), 0);
    EXPECT_THAT(dialogs.openings, IsEmpty());
}

TEST_F(DirectoryReplyTest, NothingUsefulIsAFailureTheUserSees) {
    session.Servers = {TServer{"#1 Masq Node", "10.0.0.1", 10, 1, false}};
    for (const std::string& reply : {std::string("B=1\r\nE=1\r\n"), std::string("B=1\r\nC=0\r\nNewVersion=2\r\nE=1")}) {
        messages.shown.clear();
        EXPECT_FALSE(Process(reply));
        EXPECT_THAT(messages.Texts(), ElementsAre("SilentUpdate Failed! Nothing Useful!"));
        EXPECT_EQ(display.look.tip, "Masq OFF");
    }
    EXPECT_EQ(session.ServerCount(), 1);  // a reply without nodes leaves the list as it was
}

TEST_F(DirectoryReplyTest, AMalformedNodeSectionIsLoggedAndLeavesTheListAsItWas) {
    settings.Seed("Config", "AutoSelectCountry", "1");
    session.Servers = {TServer{"#1 Masq Node", "10.0.0.1", 10, 1, false}};
    session.ServerUser = "before";
    EXPECT_FALSE(Process(ReplyText{.user = "a b"}.Node("10", "10.0.0.2").Text()));
    EXPECT_THAT(log.texts, ElementsAre("Malformed directory reply: a tunnel value that cannot go on a command line",
                                       "SilentUpdate Failed! Nothing Useful!"));
    EXPECT_EQ(session.Servers[0].Host, "10.0.0.1");
    EXPECT_EQ(session.ServerUser, "before");
    EXPECT_THAT(events, IsEmpty());

    // The flags of such a reply still count.
    log.texts.clear();
    EXPECT_TRUE(Process("ServiceNotAvailable-2=1\r\nC=x\r\n"));
    EXPECT_THAT(log.texts, ElementsAre("Service #2 NOT available! Please contact us at once!",
                                       "Malformed directory reply: the node count is no number"));
}

}  // namespace
