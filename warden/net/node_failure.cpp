#include "warden/net/node_failure.h"

#include <asio/error.hpp>
#include <string>

namespace warden {

namespace {

class NodeErrorCategory : public std::error_category {
  public:
    const char* name() const noexcept override { return "node"; }
    std::string message(int value) const override {
        switch (static_cast<NodeError>(value)) {
            case NodeError::kAuthRefused:
                return "credentials refused";
            case NodeError::kBadReply:
                return "not the node's protocol";
            case NodeError::kTimedOut:
                return "no answer in time";
            case NodeError::kKeyNotTaken:
                return "silent to a sealed request";
        }
        return "unknown";
    }
};

}  // namespace

std::error_code make_error_code(NodeError error) {
    static const NodeErrorCategory category;
    return {static_cast<int>(error), category};
}

Status NodeFailureStatus(std::error_code error) {
    if (error == NodeError::kAuthRefused || error == NodeError::kKeyNotTaken)
        return Status::kAuthRefused;
    if (error == NodeError::kTimedOut || error == asio::error::timed_out)
        return Status::kTimedOut;
    // Nothing leaves this machine: no route, no interface, a firewall, or no name service.
    if (error == asio::error::network_unreachable || error == asio::error::network_down ||
        error == asio::error::access_denied || error == asio::error::no_permission || error == asio::error::try_again) {
        return Status::kNoNetwork;
    }
    return Status::kNodeUnreachable;
}

}  // namespace warden
