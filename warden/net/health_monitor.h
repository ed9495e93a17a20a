// Watches the node while warden serves: a check now and then, and at once when a connection
// could not reach the node. When the node stops answering it says so, tries a few more times,
// and gives up when the node stays gone; a node that comes back makes warden ready again.
#pragma once

#include <functional>
#include <string_view>

#include "warden/net/asio.h"
#include "warden/net/node_target.h"
#include "warden/process/status.h"

namespace warden::net {

class HealthMonitor {
  public:
    struct Events {
        std::function<void(Status status, std::string_view detail)> report;  // a status line
        std::function<void()> lost;  // the node stopped answering (before the retries)
        std::function<void()> back;  // it answers again
        std::function<void()> gone;  // it stayed gone: warden ends
    };

    HealthMonitor(const asio::any_io_executor& executor, const NodeTarget& target, Events events);

    void Start();
    void CheckSoon();

  private:
    asio::awaitable<void> Watch();
    asio::awaitable<bool> NodeAnswers(Status& failure, std::string& detail);
    asio::awaitable<void> Sleep(std::chrono::seconds duration);

    asio::any_io_executor executor_;
    const NodeTarget& target_;
    Events events_;
    asio::steady_timer wake_;
    bool idle_ = false;  // between checks, when CheckSoon may cut the wait short
};

}  // namespace warden::net
