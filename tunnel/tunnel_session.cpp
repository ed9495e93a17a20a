#include "tunnel/tunnel_session.h"

#include <chrono>

#include "common/product_name.h"
#include "platform/folder_system.h"
#include "platform/timer.h"
#include "proxy/browser_proxy.h"
#include "settings/activity_log.h"
#include "tunnel/status_codes.h"
#include "tunnel/tunnel_command_line.h"
#include "tunnel/tunnel_process.h"
#include "tunnel/tunnel_texts.h"
#include "ui/messages/message_boxes.h"
#include "ui/tray/masq_status.h"

using namespace std::chrono_literals;
using namespace tunnel_text;

namespace {

constexpr auto kReadInterval = 1000ms;
constexpr auto kResetDelay = 1000ms;
// One tick takes at most this much of the client's output, however much waits: a client that
// floods its pipe costs the program a small read a second and nothing more.
constexpr std::size_t kMaxReadBytes = 255;

constexpr char kPleaseUnblock[] = "Please unblock Masq NG";

}  // namespace

TunnelSession::TunnelSession(const ProgramValues& values, SessionValues& session, TunnelPorts ports, TunnelCalls calls)
    : values_(values), session_(session), ports_(ports), calls_(std::move(calls)) {}

void TunnelSession::Masq(const std::string& host,
                         const std::string& port,
                         const std::string& user,
                         const std::string& key) {
    const std::string client = values_.AppFolder + kClientFileName;
    if (!ports_.folders.FileExists(client)) {
        ports_.messages.ShowMessageBox(kProductName, kCanNotFindWarden, MessageKind::Error, kButtonsOK);
        return;
    }
    ports_.status.SetMasqStatus(DisplayState::Busy, kConnectingToServer + host, BalloonIcon::Info);
    commandLine_ = TunnelCommandLine({values_.AppFolder, user, key, values_.InternalPort, port, host});
    if (!ports_.process.Start(client, commandLine_))
        throw TunnelStartError(kErrorToStartWarden);
    ports_.timRead.Start(kReadInterval);
}

void TunnelSession::Sweep() {
    ports_.timRead.Stop();
    if (!ports_.process.Started())
        return;
    // A client that ended by itself is only released: its handles must not outlive it.
    if (ports_.process.Running() && !ports_.process.Terminate())
        ports_.messages.ShowMessageBox(kProductName, kCanNotCloseWarden, MessageKind::Error, kButtonsOK);
    ports_.process.Release();
}

void TunnelSession::timReadTimer() {
    // The browsers on the proxy of a client that is gone have no connection at all, whether the
    // tunnel was ever established or hiding was turned on by hand.
    if (!ports_.process.Running() &&
        (session_.State == SessionState::Established || ports_.browserProxy.BrowsersOnProxy())) {
        ConnectionLost();
        return;
    }
    const std::string text = ports_.process.ReadOutput(kMaxReadBytes);
    if (text.empty())
        return;
    statusLines_.Append(text);
    ProcessMsg();
}

void TunnelSession::ConnectionLost() {
    ports_.log.Report(kConnectionLost);
    ports_.status.SetMasqStatus(DisplayState::Off, kConnectionLost, BalloonIcon::Error);
    Sweep();
    // While the question is open the browsers stay on the dead proxy: nothing goes out unhidden
    // before the user has chosen.
    if (ports_.messages.ShowMessageBox(kProductName, kReconnectQuestion, MessageKind::Warning, kButtonsYesNo) ==
        kResultYes) {
        ports_.log.Report(kReconnect);
        ports_.timReset.Start(kResetDelay);
        return;
    }
    // Hiding stays off: the browsers go direct, as the off state says.
    ports_.browserProxy.ClearBrowserProxy();
}

// A line is taken before it is acted on: a message box opened here runs a modal loop in which
// the next tick interprets the newer lines, and every line is acted on exactly once.
void TunnelSession::ProcessMsg() {
    while (std::optional<std::string> entry = statusLines_.TakeNext()) {
        const StatusCodeRow row = StatusRowOf(StatusCodeOf(*entry));
        switch (row.reaction) {
            case StatusReaction::Silent:
                break;
            case StatusReaction::LogOnly:
                ports_.log.Report(row.logText);
                break;
            case StatusReaction::TunnelReady: {
                session_.State = SessionState::Established;
                ports_.browserProxy.ApplyProxySettings();
                ports_.log.Report(row.logText);
                const std::string title = session_.CurrentServer ? NodeTitle(*session_.CurrentServer) : kMasqOn;
                ports_.status.SetMasqStatus(DisplayState::On, title, BalloonIcon::Info, kHintPrefix + title);
                break;
            }
            case StatusReaction::ConnectedToNode:
                session_.State = SessionState::NotEstablished;
                ports_.log.Report(row.logText);
                break;
            case StatusReaction::CannotReachInternet:
                ports_.log.Report(row.logText);
                ports_.log.Report(kPleaseUnblock);
                if (calls_.showUnblockAdvice)
                    calls_.showUnblockAdvice(UnblockAdvice::TunnelCannotReachInternet);
                ports_.status.SetMasqStatus(DisplayState::Off, std::string(row.offText), BalloonIcon::Info);
                break;
            case StatusReaction::FailureBox:
                ports_.log.Report(row.logText);
                ports_.messages.ShowMessageBox(kProductName, std::string(row.boxText), MessageKind::Error, kButtonsOK);
                ports_.status.SetMasqStatus(DisplayState::Off, std::string(row.offText), BalloonIcon::Error);
                break;
        }
    }
}

void TunnelSession::timResetTimer() {
    ports_.timReset.Stop();
    if (const std::optional<TServer>& node = session_.CurrentServer)
        Masq(node->Host, session_.ServerPort, session_.ServerUser, session_.ServerKey);
}

void TunnelSession::Masq1Click() {
    // No client serves the local port (its connection was lost and not taken up again, or its
    // relaunch failed): the browsers would point at nothing. The current node is launched again
    // and its ready line turns hiding on; without a node hiding stays off.
    if (!ports_.process.Running()) {
        if (!session_.CurrentServer) {
            ports_.status.SetMasqStatus(DisplayState::Off, kMasqOff, BalloonIcon::Info);
            return;
        }
        ports_.log.Report(kReconnect);
        Sweep();
        Masq(session_.CurrentServer->Host, session_.ServerPort, session_.ServerUser, session_.ServerKey);
        return;
    }
    ports_.browserProxy.ApplyProxySettings();
    ports_.log.Report(kMasqOn);
    ports_.status.SetMasqStatus(DisplayState::On, kMasqOn, BalloonIcon::Info);
    // The client is polled again, so that its end is seen while the browsers are on its proxy.
    ports_.timRead.Start(kReadInterval);
}

void TunnelSession::StopMasq1Click() {
    ports_.timRead.Stop();
    ports_.browserProxy.ClearBrowserProxy();
    ports_.status.SetMasqStatus(DisplayState::Off, kUserStopped, BalloonIcon::Info);
    ports_.log.Report(kUserStopped);
}
