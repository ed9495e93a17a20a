// The tunnel session: launching the tunnel client warden.exe for the current node, reading its
// status lines once a second, acting on each status code, offering a reconnect when an
// established tunnel ends, and the tray's hide and stop commands.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

#include "settings/program_values.h"
#include "settings/session_values.h"
#include "tunnel/status_lines.h"
#include "ui/advice/unblock_advice.h"

class ActivityLog;
class BrowserProxy;
class FolderSystem;
class MasqStatus;
class MessageBoxes;
class Timer;
class TunnelProcess;

// A tunnel client that could not be started. Nothing catches it on the way: it ends the command
// that launched the client, and the program's error display shows it.
class TunnelStartError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct TunnelPorts {
    TunnelProcess& process;
    Timer& timRead;   // polls the client once a second
    Timer& timReset;  // relaunches a second after the user accepted to reconnect
    const FolderSystem& folders;
    MessageBoxes& messages;
    ActivityLog& log;
    MasqStatus& status;
    BrowserProxy& browserProxy;
};

// What the session asks of the parts built on it; the composition root wires them.
struct TunnelCalls {
    std::function<void(UnblockAdvice)> showUnblockAdvice;  // modal
};

class TunnelSession {
  public:
    TunnelSession(const ProgramValues& values, SessionValues& session, TunnelPorts ports, TunnelCalls calls);

    // Launches the client for the node `host`; the tray turns busy. Throws TunnelStartError when
    // the client cannot be started. Every caller runs Sweep first.
    void Masq(const std::string& host, const std::string& port, const std::string& user, const std::string& key);
    // Stops the status polling and ends a running client.
    void Sweep();

    void timReadTimer();
    void timResetTimer();
    // Hiding on by hand: over the running client, or by launching the current node again when
    // none runs.
    void Masq1Click();
    void StopMasq1Click();

  private:
    void ProcessMsg();
    void ConnectionLost();

    const ProgramValues& values_;
    SessionValues& session_;
    TunnelPorts ports_;
    TunnelCalls calls_;
    StatusLines statusLines_;
    std::string commandLine_;  // of the last launch
};
