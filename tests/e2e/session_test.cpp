// The tunnel session on the real program: warden.exe launched for a microsocks node with
// user/password auth, its status lines turned into the log and the tray, hiding stopped and
// turned on by hand, a client that dies while established, OK on the options while hiding is off,
// the hide command with no client left, and the way out.
#include <gtest/gtest.h>

#include <algorithm>

#include "resources/resource_ids.h"
#include "tests/driver/artifacts.h"
#include "tests/driver/files.h"
#include "tests/driver/ui.h"
#include "tests/driver/wait.h"
#include "tests/e2e/browser_state.h"
#include "tests/e2e/masq_fixture.h"
#include "tests/e2e/tray.h"

namespace e2e {

using namespace driver;

namespace {

// Texts of the log from the first line of the session on: after the directory's choice of a node.
std::vector<std::string> SessionTexts(const Masq& masq) {
    std::vector<std::string> texts = masq.LogTexts();
    auto start =
        std::find_if(texts.begin(), texts.end(), [](const std::string& t) { return t.starts_with("Select IP: "); });
    return std::vector<std::string>(start == texts.end() ? texts.begin() : start + 1, texts.end());
}

HWND WaitForQuestion(const Masq& masq) {
    HWND dialog = nullptr;
    WaitUntil([&] {
        dialog = WaitForTopLevel(masq.Process().Id(), "Masq NG", "", 1s);
        return dialog && FindChild(dialog, "Static", "Do you want to reconnect?");
    });
    return dialog;
}

std::string OnTooltip() {
    return "Masq NG - United States #1 [" + RunningNode().host + "]";
}

// The program with its tunnel up.
class SessionTest : public MasqTest {
  protected:
    void SetUp() override {
        MasqTest::SetUp();
        UseDirectoryAtStart();
    }
    // The log line comes a moment before the tray shows the on state.
    void WaitUntilEstablished(const Masq& masq) {
        ASSERT_TRUE(masq.WaitForLog("Masq ON"));
        ASSERT_TRUE(WaitUntil([] { return TrayIconColour() == IconColour::Green; }));
        ASSERT_EQ(masq.ClientProcesses().size(), 1u);
    }
};

TEST_F(MasqTest, AnUnreachableNodeLeavesTheTrayBusyConnecting) {
    UseDirectoryAtStart(20);  // whose one node nothing listens on
    Masq masq;
    ASSERT_TRUE(masq.WaitForLog("Destination not available"));
    EXPECT_EQ(SessionTexts(masq),
              (std::vector<std::string>{"Searching...", "Connecting...", "Destination not available"}));
    EXPECT_EQ(TrayTooltip(), "Connecting to Server: " + RunningNode().unreachableHost);
    SaveTrayScreenshot("tray_busy");
}

TEST_F(SessionTest, TheClientsReadyLineTurnsHidingOnAndStopAndHideWorkByHand) {
    Masq masq;
    WaitUntilEstablished(masq);
    EXPECT_EQ(SessionTexts(masq),
              (std::vector<std::string>{"Searching...", "Connecting...", "Connected", "Identifying", "Masq ON"}));
    EXPECT_EQ(TrayIconColour(), IconColour::Green);
    EXPECT_TRUE(WaitForBalloon("United States #1 [" + RunningNode().host + "]"));
    SaveTrayScreenshot("tray_on");
    EXPECT_EQ(TrayTooltip(), OnTooltip());
    const std::vector<DWORD> client = masq.ClientProcesses();

    masq.Command(TrayMenuItem::StopMasq1);
    ASSERT_TRUE(masq.WaitForLog("User stopped Masq"));
    EXPECT_TRUE(WaitForTrayState(IconColour::Red, "Masq OFF"));
    EXPECT_EQ(masq.ClientProcesses(), client) << "stopping leaves the client running";

    masq.Command(TrayMenuItem::Masq1);
    ASSERT_TRUE(masq.WaitForLog("Masq ON", 2));
    EXPECT_TRUE(WaitForTrayState(IconColour::Green, "Masq ON"));
    EXPECT_EQ(masq.ClientProcesses(), client) << "hiding again launches nothing";

    masq.Command(TrayMenuItem::Exit1);
    EXPECT_EQ(masq.Process().WaitForExit(kUiTimeout), 0u);
    EXPECT_TRUE(WaitUntil([&] { return ProcessEnded(client.front()); })) << "no warden.exe is left running";
}

TEST_F(SessionTest, AClientThatDiesWhileEstablishedIsReportedAndYesRelaunchesTheSameNode) {
    Masq masq;
    WaitUntilEstablished(masq);
    const DWORD first = masq.ClientProcesses().front();
    ASSERT_TRUE(EndProcess(first));  // as a crash of the client would

    HWND question = WaitForQuestion(masq);
    ASSERT_TRUE(question);
    EXPECT_EQ(TrayIconColour(), IconColour::Red);
    EXPECT_TRUE(WaitForBalloon("Connection lost"));
    SaveTrayScreenshot("tray_connection_lost");
    SaveWindowScreenshot("reconnect_question", question, 8);
    Click(FindChild(question, "Button", "&Yes"));

    ASSERT_TRUE(masq.WaitForLog("Masq ON", 2));
    const std::vector<DWORD> clients = masq.ClientProcesses();
    ASSERT_EQ(clients.size(), 1u);
    EXPECT_NE(clients.front(), first);
    std::vector<std::string> texts = SessionTexts(masq);
    const auto lost = std::find(texts.begin(), texts.end(), "Connection lost");
    ASSERT_NE(lost, texts.end());
    EXPECT_EQ(std::vector<std::string>(lost, texts.end()),
              (std::vector<std::string>{"Connection lost", "Reconnect...", "Searching...", "Connecting...", "Connected",
                                        "Identifying", "Masq ON"}));
    EXPECT_TRUE(WaitForTrayState(IconColour::Green, OnTooltip()));
}

TEST_F(SessionTest, NoToTheReconnectLeavesHidingOffWithTheClientGone) {
    Masq masq;
    WaitUntilEstablished(masq);
    ASSERT_TRUE(EndProcess(masq.ClientProcesses().front()));

    HWND question = WaitForQuestion(masq);
    ASSERT_TRUE(question);
    Click(FindChild(question, "Button", "&No"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }));
    EXPECT_EQ(SessionTexts(masq).back(), "Connection lost");
    EXPECT_TRUE(masq.ClientProcesses().empty());
    EXPECT_EQ(TrayTooltip(), "Masq OFF");
    EXPECT_TRUE(WaitUntil([] { return ProxyEnable() == 0u; })) << "off means direct";
}

// Stopped and turned on again by hand, hiding rests on the client started before: its end is
// a lost connection all the same, and the browsers do not stay on its dead port.
TEST_F(SessionTest, AClientThatDiesAfterHidingWasTurnedOnByHandIsALostConnection) {
    Masq masq;
    WaitUntilEstablished(masq);
    masq.Command(TrayMenuItem::StopMasq1);
    masq.Command(TrayMenuItem::Masq1);
    ASSERT_TRUE(masq.WaitForLog("Masq ON", 2));
    ASSERT_TRUE(WaitUntil([] { return ProxyEnable() == 1u; }));
    ASSERT_TRUE(EndProcess(masq.ClientProcesses().front()));

    HWND question = WaitForQuestion(masq);
    ASSERT_TRUE(question);
    Click(FindChild(question, "Button", "&No"));
    EXPECT_TRUE(WaitUntil([] { return ProxyEnable() == 0u && ReadFile(PluginFile()) == kPluginFileOff; }));
    EXPECT_EQ(SessionTexts(masq).back(), "Connection lost");
    EXPECT_EQ(TrayTooltip(), "Masq OFF");
}

// Stop leaves the session counted as established: OK on the options keeps the browsers direct,
// as the tray's off state says.
TEST_F(SessionTest, OkAfterStopLeavesTheBrowsersDirect) {
    Masq masq;
    WaitUntilEstablished(masq);
    masq.Command(TrayMenuItem::StopMasq1);
    ASSERT_TRUE(masq.WaitForLog("User stopped Masq"));
    ASSERT_TRUE(WaitUntil([] { return ProxyEnable() == 0u; }));

    HWND form = masq.OpenOptions();
    ASSERT_TRUE(form);
    Click(FindChildById(form, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(form); }));
    EXPECT_EQ(ProxyEnable(), 0u);
    EXPECT_EQ(ReadFile(PluginFile()), kPluginFileOff);
    EXPECT_EQ(TrayTooltip(), "Masq OFF");
}

// No client is left after a lost connection answered No: the hide hotkey launches the node again
// and the browsers go on its proxy at its ready line, never on a port nobody serves.
TEST_F(SessionTest, AfterALostConnectionAnsweredNoTheHotkeyLaunchesTheNodeAgainAndHidesWhenItIsUp) {
    Masq masq;
    WaitUntilEstablished(masq);
    const DWORD first = masq.ClientProcesses().front();
    ASSERT_TRUE(EndProcess(first));
    HWND question = WaitForQuestion(masq);
    ASSERT_TRUE(question);
    Click(FindChild(question, "Button", "&No"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }));
    ASSERT_TRUE(WaitUntil([] { return ProxyEnable() == 0u; }));

    TypeKey('W', {VK_CONTROL});
    ASSERT_TRUE(masq.WaitForLog("Masq ON", 2));
    const std::vector<DWORD> clients = masq.ClientProcesses();
    ASSERT_EQ(clients.size(), 1u);
    EXPECT_NE(clients.front(), first);
    const std::vector<std::string> texts = SessionTexts(masq);
    const auto lost = std::find(texts.begin(), texts.end(), "Connection lost");
    ASSERT_NE(lost, texts.end());
    EXPECT_EQ(std::vector<std::string>(lost, texts.end()),
              (std::vector<std::string>{"Connection lost", "Reconnect...", "Searching...", "Connecting...", "Connected",
                                        "Identifying", "Masq ON"}));
    EXPECT_TRUE(
        WaitUntil([] { return ProxyEnable() == 1u && ProxyServer() == "socks=127.0.0.1:" + RunningNode().localPort; }));
    EXPECT_EQ(TrayTooltip(), OnTooltip());
}

}  // namespace
}  // namespace e2e
