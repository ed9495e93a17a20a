#include "warden/process/status.h"

#include <gtest/gtest.h>

#include <string>

namespace warden {
namespace {

// Each line is six digits, a blank and a text, one line feed at its end; the codes themselves
// are walked against the tray program's table (status_agreement_test.cpp).
TEST(Status, EveryLineIsItsCodeABlankAndATextEndedOnce) {
    for (const Status status : AllStatuses()) {
        const std::string_view code = StatusCode(status);
        EXPECT_EQ(code.size(), 6U);
        EXPECT_EQ(code.find_first_not_of("0123456789"), std::string_view::npos) << code;
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
