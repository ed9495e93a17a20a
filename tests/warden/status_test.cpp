#include "warden/process/status.h"

#include <gtest/gtest.h>

#include <string>

namespace warden {
namespace {

// The codes the tray program acts on; each must mean what the program does with it.
TEST(Status, UsesTheCodesTheTrayProgramActsOn) {
    const std::pair<Status, std::string_view> expected[] = {
        {Status::kSearching, "160036"},   {Status::kConnecting, "160032"},      {Status::kConnected, "160239"},
        {Status::kIdentifying, "160238"}, {Status::kReady, "160138"},           {Status::kAuthRefused, "160244"},
        {Status::kTimedOut, "110033"},    {Status::kNodeUnreachable, "160207"}, {Status::kNoNetwork, "160033"},
        {Status::kNodeLost, "160037"},    {Status::kReconnecting, "160199"},    {Status::kLocalFault, "171001"},
        {Status::kBadOptions, "160243"},  {Status::kStopped, "160325"},
    };
    for (const auto& [status, code] : expected) {
        EXPECT_EQ(StatusCode(status), code);
        const std::string line = StatusLine(status, "detail");
        EXPECT_EQ(line.substr(0, 7), std::string(code) + " ") << line;
        EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
    }
}

TEST(Status, CutsLongDetailsSoThatALineStaysShort) {
    const std::string line = StatusLine(Status::kNodeUnreachable, std::string(500, 'x'));
    EXPECT_EQ(line.size(), kMaxStatusLine);
    EXPECT_EQ(line.back(), '\n');
}

// The tray program reads at most 255 bytes a tick, and a line cut by a read counts as two:
// a whole start-up must fit in one read, or "ready" could be lost.
TEST(Status, AWholeStartUpFitsInOneReadOfTheTrayProgram) {
    const std::string lines = StatusLine(Status::kSearching) +
                              StatusLine(Status::kConnecting, "255.255.255.255:65535") +
                              StatusLine(Status::kConnected) + StatusLine(Status::kIdentifying) +
                              StatusLine(Status::kReady, "127.0.0.1:65535");
    EXPECT_LE(lines.size(), 255U);
    const std::string failed = StatusLine(Status::kSearching) + StatusLine(Status::kConnecting, std::string(255, 'h')) +
                               StatusLine(Status::kConnected) + StatusLine(Status::kIdentifying) +
                               StatusLine(Status::kAuthRefused, std::string(255, 'd'));
    EXPECT_LE(failed.size(), 255U);
}

}  // namespace
}  // namespace warden
