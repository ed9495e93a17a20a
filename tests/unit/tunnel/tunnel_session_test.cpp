#include "tunnel/tunnel_session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/fakes/fake_folder_system.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_status_display.h"
#include "tests/fakes/fake_timer.h"
#include "tests/fakes/fake_tunnel_process.h"
#include "tests/fakes/recording_browser_proxy.h"
#include "tests/fakes/recording_log.h"
#include "ui/tray/masq_status.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace std::chrono_literals;

namespace {

const char kAppFolder[] = "C:\\Program Files\\Masq NG\\";
const char kWarden[] = "C:\\Program Files\\Masq NG\\warden.exe";

class TunnelSessionTest : public testing::Test {
  protected:
    TunnelSessionTest() {
        values.AppFolder = kAppFolder;
        values.InternalPort = "7070";
        folders.files[kWarden] = "";
        session.Servers = {TServer{"#3 Masq Node", "127.0.0.2", 12, 3, false}};
        session.CurrentServer = session.Servers[0];
        session.ServerPort = "1080";
        session.ServerUser = "u";
        session.ServerKey = "k";
    }

    void Launch() { tunnel.Masq("127.0.0.2", "1080", "u", "k"); }
    // The client prints `text`; a tick of timRead reads it.
    void Tick(const std::string& text = {}) {
        process.output += text;
        tunnel.timReadTimer();
    }
    // Launched, and the client said the tunnel is up.
    void Established() {
        Launch();
        Tick("160138 Ready\n");
        log.texts.clear();
        display.balloons.clear();
        proxy.calls.clear();
    }

    ProgramValues values;
    SessionValues session;
    FakeTunnelProcess process;
    FakeTimer timRead, timReset;
    FakeFolderSystem folders;
    FakeMessageBoxes messages;
    RecordingLog log;
    FakeStatusDisplay display;
    MasqStatus status{display};
    RecordingBrowserProxy proxy;
    std::vector<UnblockAdvice> advice;
    TunnelSession tunnel{values, session,
                         TunnelPorts{process, timRead, timReset, folders, messages, log, status, proxy},
                         TunnelCalls{[this](UnblockAdvice kind) { advice.push_back(kind); }}};
};

TEST_F(TunnelSessionTest, ALaunchStartsTheClientByItsFullPathWithTheCommandLineAndPollsEverySecond) {
    Launch();
    ASSERT_EQ(process.launches.size(), 1u);
    EXPECT_EQ(process.launches[0].application, kWarden);
    EXPECT_EQ(process.launches[0].commandLine,
              "C:\\Program Files\\Masq NG\\warden -name u -key k -do -H 7070 -masq -port 1080 -say 127.0.0.2");
    EXPECT_TRUE(timRead.enabled);
    EXPECT_EQ(timRead.interval, 1000ms);
    EXPECT_EQ(display.look, (TrayLook{StatusImages::Busy, 0, true, "Connecting to Server: 127.0.0.2"}));
    EXPECT_EQ(display.balloons.back().icon, BalloonIcon::Info);
}

TEST_F(TunnelSessionTest, AMissingClientIsReportedAndNothingElseHappens) {
    folders.files.clear();
    Launch();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Masq NG");
    EXPECT_EQ(messages.shown[0].text, "Can not find Warden!");
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_THAT(process.launches, IsEmpty());
    EXPECT_THAT(display.balloons, IsEmpty());
    EXPECT_FALSE(timRead.enabled);
}

TEST_F(TunnelSessionTest, AClientThatCannotStartRaisesTheErrorAndLeavesTheTrayBusyAndTheTimerOff) {
    process.startFails = true;
    EXPECT_THROW(
        {
            try {
                Launch();
            } catch (const TunnelStartError& error) {
                EXPECT_STREQ(error.what(), "Error to start Masq Warden!");
                throw;
            }
        },
        TunnelStartError);
    EXPECT_TRUE(display.look.cycling);
    EXPECT_FALSE(timRead.enabled);
}

TEST_F(TunnelSessionTest, SweepEndsARunningClientAndReleasesOneThatEndedByItself) {
    tunnel.Sweep();  // nothing started: only the timer
    EXPECT_EQ(process.releases, 0);

    Launch();
    tunnel.Sweep();
    EXPECT_FALSE(timRead.enabled);
    EXPECT_EQ(process.terminations, 1);
    EXPECT_EQ(process.releases, 1);

    Launch();
    process.running = false;
    tunnel.Sweep();
    EXPECT_EQ(process.terminations, 1) << "a client that ended by itself is not terminated";
    EXPECT_EQ(process.releases, 2) << "but its handles are released";

    Launch();
    process.terminateFails = true;
    tunnel.Sweep();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Can not close Warden!");
    EXPECT_EQ(process.releases, 3) << "the handles go anyway";
}

TEST_F(TunnelSessionTest, EachStatusCodeHasItsLogTextAndReaction) {
    const struct {
        const char* line;
        std::vector<std::string> texts;
    } cases[] = {
        {"160036", {"Searching..."}},
        {"160032", {"Connecting..."}},
        {"160238", {"Identifying"}},
        {"160270", {"Identifying"}},
        {"160239", {"Connected"}},
        {"110033", {"Connection time out"}},
        {"171001", {"Mission failed"}},
        {"160244", {"Identify failed"}},
        {"160037", {"Disconnected from Internet"}},
        {"160207", {"Destination not available"}},
        {"160199", {"Reconnect..."}},
        {"160325", {}},
        {"160129", {}},
        {"160138 and more text", {"Masq ON"}},
        {"999999 unknown", {"999999"}},
        {"1601", {"1601"}},
        {"", {""}},
    };
    Launch();
    for (const auto& c : cases) {
        log.texts.clear();
        Tick(std::string(c.line) + "\r\n");
        EXPECT_EQ(log.texts, c.texts) << c.line;
    }
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(TunnelSessionTest, ReadyTurnsHidingOnWithTheNodesTitle) {
    Launch();
    Tick("160036 Searching\n160032 Connecting\n160239 Connected\n160238 Identifying\n160138 Ready\n");
    EXPECT_THAT(log.texts, ElementsAre("Searching...", "Connecting...", "Connected", "Identifying", "Masq ON"));
    EXPECT_EQ(session.State, SessionState::Established);
    EXPECT_THAT(proxy.calls, ElementsAre("ApplyProxySettings"));
    EXPECT_EQ(display.look,
              (TrayLook{StatusImages::Status, 0, false, "Masq NG - United States - Dallas #3 [127.0.0.2]"}));
    EXPECT_EQ(display.balloons.back().text, "United States - Dallas #3 [127.0.0.2]");

    Tick("160239 Connected\n");
    EXPECT_EQ(session.State, SessionState::NotEstablished);
}

TEST_F(TunnelSessionTest, ALineCutByAReadCountsAsTwoAndDoesNotTurnHidingOn) {
    Launch();
    Tick("1601");
    Tick("38\r\n");
    EXPECT_THAT(log.texts, ElementsAre("1601", "38"));
    EXPECT_EQ(session.State, SessionState::NotEstablished);
    EXPECT_THAT(proxy.calls, IsEmpty());

    Tick("160036\r");
    Tick("\n160032\n");
    EXPECT_THAT(log.texts, ElementsAre("1601", "38", "Searching...", "", "Connecting..."));
}

TEST_F(TunnelSessionTest, OneTickReadsAtMost255BytesHoweverMuchWaits) {
    Launch();
    process.output = std::string(100000, '1');
    tunnel.timReadTimer();
    EXPECT_THAT(process.readSizes, ElementsAre(255u));
    EXPECT_EQ(process.output.size(), 100000u - 255u);
}

TEST_F(TunnelSessionTest, FailureCodesShowTheirBoxOrAdviceThenTheOffState) {
    Launch();
    Tick("160034\n");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "Connection Failed 160034. Please disable any firewall on the way and try again.");
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(display.look.tip, "Masq OFF");
    EXPECT_EQ(display.balloons.back(),
              (FakeStatusDisplay::Balloon{"Masq NG", "Connection Failed 160034", BalloonIcon::Error, 10}));

    Tick("160243\n");
    EXPECT_EQ(messages.shown.back().text, "SilentUpdate Error. Please restart Masq NG.");
    EXPECT_EQ(display.balloons.back().text, "SilentUpdate Error");

    Tick("160033\n");
    EXPECT_THAT(advice, ElementsAre(UnblockAdvice::TunnelCannotReachInternet));
    EXPECT_EQ(display.balloons.back(),
              (FakeStatusDisplay::Balloon{"Masq NG", "Can not connect to the Internet", BalloonIcon::Info, 10}));
    EXPECT_THAT(log.texts, ElementsAre("Connection Failed 160034", "SilentUpdate Error",
                                       "Warden can not connect to the Internet", "Please unblock Masq NG"));
    EXPECT_TRUE(timRead.enabled) << "the client decides itself whether it goes on";
    EXPECT_EQ(process.terminations, 0);
}

TEST_F(TunnelSessionTest, LinesArrivingWhileABoxIsOpenAreEachActedOnOnceInOrder) {
    Launch();
    int nested = 0;
    messages.whileOpen = [&](const FakeMessageBoxes::Shown&) {
        // The box's modal loop runs the next ticks; the second brings nothing new.
        if (nested++ == 0) {
            Tick("160036\n160034\n160032\n");
            Tick();
        }
    };
    Tick("160034\n160199\n");
    // The nested tick goes on from the first line not yet taken: the order of arrival.
    EXPECT_THAT(log.texts, ElementsAre("Connection Failed 160034", "Reconnect...", "Searching...",
                                       "Connection Failed 160034", "Connecting..."));
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(TunnelSessionTest, AnEstablishedTunnelWhoseClientEndsOffersAReconnectThatRelaunchesTheSameNode) {
    Established();
    process.running = false;
    process.output = "160037 Node lost\n";  // left unread: the end is what counts
    messages.answers = {kResultYes};
    tunnel.timReadTimer();

    EXPECT_THAT(log.texts, ElementsAre("Connection lost", "Reconnect..."));
    EXPECT_THAT(display.BalloonTexts(), ElementsAre("Connection lost"));
    EXPECT_EQ(display.balloons.back().icon, BalloonIcon::Error);
    EXPECT_EQ(display.look.tip, "Masq OFF");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Do you want to reconnect?");
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Warning);
    EXPECT_EQ(messages.shown[0].buttons, kButtonsYesNo);
    EXPECT_FALSE(timRead.enabled);
    EXPECT_EQ(process.releases, 1);
    EXPECT_TRUE(timReset.enabled);
    EXPECT_EQ(timReset.interval, 1000ms);

    tunnel.timResetTimer();
    EXPECT_FALSE(timReset.enabled);
    ASSERT_EQ(process.launches.size(), 2u);
    EXPECT_EQ(process.launches[1].commandLine, process.launches[0].commandLine);
    EXPECT_TRUE(timRead.enabled);
}

TEST_F(TunnelSessionTest, NoToTheReconnectLeavesTheOffStateWithTheClientGoneAndTheBrowsersDirect) {
    Established();
    process.running = false;
    messages.answers = {kResultNo};
    messages.whileOpen = [&](const FakeMessageBoxes::Shown&) {
        EXPECT_TRUE(proxy.on) << "nothing goes out unhidden while the user chooses";
    };
    tunnel.timReadTimer();
    EXPECT_THAT(log.texts, ElementsAre("Connection lost"));
    EXPECT_THAT(proxy.calls, ElementsAre("off"));
    EXPECT_FALSE(timReset.enabled);
    EXPECT_FALSE(timRead.enabled);
    EXPECT_FALSE(process.Started());
    EXPECT_EQ(process.launches.size(), 1u);
}

// The browsers on the proxy of a client that is not established: hiding turned on by hand
// before the tunnel was up, or after a status that set the session back.
TEST_F(TunnelSessionTest, AClientEndingWhileTheBrowsersAreOnItsProxyIsALostConnectionWhateverTheState) {
    Launch();
    Tick("160138 Ready\n160239 Not established\n");
    ASSERT_EQ(session.State, SessionState::NotEstablished);
    ASSERT_TRUE(proxy.on);
    log.texts.clear();
    process.running = false;
    messages.answers = {kResultNo};
    tunnel.timReadTimer();
    EXPECT_THAT(log.texts, ElementsAre("Connection lost"));
    EXPECT_EQ(display.look.tip, "Masq OFF");
    EXPECT_FALSE(proxy.on);
    EXPECT_FALSE(process.Started());
}

TEST_F(TunnelSessionTest, AClientEndingWhileNotEstablishedGoesUnnoticed) {
    Launch();
    process.running = false;
    Tick("160244 Identify failed\n");
    EXPECT_THAT(log.texts, ElementsAre("Identify failed"));
    Tick();
    EXPECT_THAT(messages.shown, IsEmpty());
    EXPECT_TRUE(timRead.enabled);
}

TEST_F(TunnelSessionTest, StopTakesTheBrowsersOffAndHideByHandPutsThemBackWithoutALaunch) {
    Established();
    tunnel.StopMasq1Click();
    EXPECT_FALSE(timRead.enabled);
    EXPECT_THAT(proxy.calls, ElementsAre("off"));
    EXPECT_THAT(log.texts, ElementsAre("User stopped Masq"));
    EXPECT_EQ(display.look.tip, "Masq OFF");
    EXPECT_EQ(display.balloons.back(),
              (FakeStatusDisplay::Balloon{"Masq NG", "User stopped Masq", BalloonIcon::Info, 10}));
    EXPECT_TRUE(display.IsMenuItemEnabled(TrayMenuItem::Masq1));
    EXPECT_TRUE(process.Running()) << "the client goes on running";
    EXPECT_EQ(session.State, SessionState::Established);

    tunnel.Masq1Click();
    EXPECT_THAT(proxy.calls, ElementsAre("off", "ApplyProxySettings"));
    EXPECT_THAT(log.texts, ElementsAre("User stopped Masq", "Masq ON"));
    EXPECT_EQ(display.look, (TrayLook{StatusImages::Status, 0, false, "Masq ON"}));
    EXPECT_EQ(display.balloons.back().text, "Masq ON");
    EXPECT_TRUE(timRead.enabled) << "the client's end is seen again";
    EXPECT_EQ(process.launches.size(), 1u);

    // The client dies while hiding is on by hand: the connection is lost.
    process.running = false;
    messages.answers = {kResultNo};
    tunnel.timReadTimer();
    EXPECT_THAT(log.texts, ElementsAre("User stopped Masq", "Masq ON", "Connection lost"));
    EXPECT_FALSE(proxy.on);
}

// No client serves the local port after a lost connection answered No: the hide command launches
// the node again, and the browsers go on the proxy at its ready line, never before.
TEST_F(TunnelSessionTest, HideByHandWithoutARunningClientLaunchesTheNodeAgainAndHidesAtItsReadyLine) {
    Established();
    process.running = false;
    messages.answers = {kResultNo};
    tunnel.timReadTimer();
    log.texts.clear();
    proxy.calls.clear();

    tunnel.Masq1Click();
    EXPECT_THAT(proxy.calls, IsEmpty()) << "no browser points at a port nobody serves";
    EXPECT_THAT(log.texts, ElementsAre("Reconnect..."));
    ASSERT_EQ(process.launches.size(), 2u);
    EXPECT_EQ(process.launches[1].commandLine, process.launches[0].commandLine);
    EXPECT_EQ(display.look, (TrayLook{StatusImages::Busy, 0, true, "Connecting to Server: 127.0.0.2"}));
    EXPECT_TRUE(timRead.enabled);

    Tick("160138 Ready\n");
    EXPECT_THAT(proxy.calls, ElementsAre("ApplyProxySettings"));
    EXPECT_THAT(log.texts, ElementsAre("Reconnect...", "Masq ON"));
    EXPECT_EQ(display.look.tip, "Masq NG - United States - Dallas #3 [127.0.0.2]");
}

TEST_F(TunnelSessionTest, HideByHandWithoutAClientOrANodeStaysOff) {
    session.CurrentServer.reset();
    tunnel.Masq1Click();
    EXPECT_THAT(proxy.calls, IsEmpty());
    EXPECT_THAT(process.launches, IsEmpty());
    EXPECT_THAT(log.texts, IsEmpty());
    EXPECT_FALSE(timRead.enabled);
    EXPECT_EQ(display.look.tip, "Masq OFF");
    EXPECT_EQ(display.balloons.back().text, "Masq OFF");
}

// A relaunch that fails raises the launch's error, as every launch does, and hides nothing.
TEST_F(TunnelSessionTest, HideByHandWhoseRelaunchFailsLeavesTheBrowsersDirect) {
    process.startFails = true;
    EXPECT_THROW(tunnel.Masq1Click(), TunnelStartError);
    EXPECT_THAT(proxy.calls, IsEmpty());
    EXPECT_FALSE(timRead.enabled);
}

}  // namespace
