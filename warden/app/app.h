// warden from start to end: reaches and checks the node, opens the local port, serves until
// asked to stop or until the node is gone for good, and tells each step in a status line.
#pragma once

#include <memory>
#include <string_view>

#include "warden/process/command_line.h"
#include "warden/net/asio.h"
#include "warden/net/health_monitor.h"
#include "warden/net/local_server.h"
#include "warden/net/relay_context.h"
#include "warden/process/status.h"

namespace warden {

class App {
  public:
    App(asio::io_context& io, Options options);

    ExitCode Run();

  private:
    asio::awaitable<void> Start();
    // Starts dialling ahead and finds out whether the node keeps bytes sent ahead of its reply.
    void ServeFromNode();
    void NodeLost();
    asio::awaitable<void> ProbeEarlyData(unsigned generation);
    void Report(Status status, std::string_view detail = {});
    void End(ExitCode code);

    asio::io_context& io_;
    Options options_;
    std::shared_ptr<net::RelayContext> context_;
    net::LocalServer server_;
    net::HealthMonitor monitor_;
    asio::signal_set stop_signals_;
    ExitCode exit_code_ = ExitCode::kStopped;
    unsigned node_generation_ = 0;  // counts losses of the node: a probe's answer is for its own
};

}  // namespace warden
