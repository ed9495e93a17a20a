#include "warden/net/node_failure.h"

#include <gtest/gtest.h>

#include <asio/error.hpp>

namespace warden {
namespace {

TEST(NodeFailureStatus, TellsCredentialsTimeOutsNoNetworkAndAnUnreachableNodeApart) {
    const std::pair<std::error_code, Status> cases[] = {
        {NodeError::kAuthRefused, Status::kAuthRefused},
        {NodeError::kKeyNotTaken, Status::kAuthRefused},
        {NodeError::kTimedOut, Status::kTimedOut},
        {asio::error::timed_out, Status::kTimedOut},
        {asio::error::network_unreachable, Status::kNoNetwork},
        {asio::error::network_down, Status::kNoNetwork},
        {asio::error::access_denied, Status::kNoNetwork},
        {asio::error::try_again, Status::kNoNetwork},
        {asio::error::connection_refused, Status::kNodeUnreachable},
        {asio::error::host_unreachable, Status::kNodeUnreachable},
        {asio::error::host_not_found, Status::kNodeUnreachable},
        {asio::error::connection_reset, Status::kNodeUnreachable},
        {asio::error::eof, Status::kNodeUnreachable},
        {NodeError::kBadReply, Status::kNodeUnreachable},
    };
    for (const auto& [error, status] : cases) {
        EXPECT_EQ(NodeFailureStatus(error), status) << error.message();
    }
}

}  // namespace
}  // namespace warden
