// warden prints the codes, the tray program's table (tunnel/status_codes.cpp) acts on them: the
// two tables are walked against each other here, so that neither can gain or change a code alone.
#include <gtest/gtest.h>

#include <map>

#include "tunnel/status_codes.h"
#include "warden/process/status.h"

namespace warden {
namespace {

// What the tray program must do with each of warden's codes; the rest are logged only.
const std::map<Status, StatusReaction> kTrayReactions{
    {Status::kReady, StatusReaction::TunnelReady},
    {Status::kConnected, StatusReaction::ConnectedToNode},
    {Status::kNoNetwork, StatusReaction::CannotReachInternet},
    {Status::kBadOptions, StatusReaction::FailureBox},
    {Status::kStopped, StatusReaction::Silent},
};

TEST(StatusAgreement, TheTrayProgramKnowsEveryCodeWardenPrintsAndActsAsWardenMeansIt) {
    for (const Status status : AllStatuses()) {
        const std::string_view code = StatusCode(status);
        const StatusCodeRow row = StatusRowOf(code);
        // An unknown code comes back as a row whose log text is the code itself.
        EXPECT_NE(row.logText, code) << code << " is not in the tray program's table";
        const auto expected = kTrayReactions.find(status);
        EXPECT_EQ(row.reaction, expected == kTrayReactions.end() ? StatusReaction::LogOnly : expected->second) << code;
    }
}

}  // namespace
}  // namespace warden
