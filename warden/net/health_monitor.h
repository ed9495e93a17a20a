// Watches the node while warden serves: a check now and then, and at once when a connection
// could not reach the node. When the node stops answering it says so, tries a few more times,
// and gives up when the node stays gone; a node that comes back makes warden ready again.
#pragma once

#include <functional>
#include <string_view>

#include "warden/net/asio.h"
#include "warden/net/node_target.h"
#include "warden/status.h"

namespace warden::net {

class HealthMonitor {
  public:
    using Reporter = std::function<void(Status status, std::string_view detail)>;

    HealthMonitor(const asio::any_io_executor& executor,
                  const NodeTarget& target,
                  Reporter report,
                  std::function<void()> gone);

    void Start();
    void CheckSoon();

  private:
    asio::awaitable<void> Watch();
    asio::awaitable<bool> NodeAnswers(Status& failure, std::string& detail);
    asio::awaitable<void> Sleep(std::chrono::seconds duration);

    asio::any_io_executor executor_;
    const NodeTarget& target_;
    Reporter report_;
    std::function<void()> gone_;
    asio::steady_timer wake_;
    bool idle_ = false;  // between checks, when CheckSoon may cut the wait short
};

}  // namespace warden::net
