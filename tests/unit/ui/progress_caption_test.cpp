#include "ui/toolkit/progress_caption.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgressCaption, ShowsThePercentageRoundedDownAndNeverBeyondTheBar) {
    const struct {
        std::int64_t position, maximum;
        const char* caption;
        int filledOf200;
    } cases[] = {
        {0, 100, "0%", 0},
        {1, 3, "33%", 66},
        {1024, 1025, "99%", 199},
        {1025, 1025, "100%", 200},
        {2147483647, 2147483647, "100%", 200},  // no overflow at the largest Content-Length
        {5, 0, "0%", 0},                        // a Content-Length of 0 leaves the bar empty
        {-1, 10, "0%", 0},
        {11, 10, "100%", 200},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProgressCaption(c.position, c.maximum), c.caption) << c.position << "/" << c.maximum;
        EXPECT_EQ(ProgressFilledWidth(c.position, c.maximum, 200), c.filledOf200) << c.position << "/" << c.maximum;
    }
}

}  // namespace
