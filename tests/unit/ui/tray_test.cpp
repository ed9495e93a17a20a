#include <gtest/gtest.h>

#include "ui/tray/tray_rules.h"

TEST(TrayRules, TooltipAndBalloonTextsAreCutToTheirBuffers) {
    const std::string long300(300, 'x');
    EXPECT_EQ(Truncated(long300, kMaxTipLength), std::string(127, 'x'));
    EXPECT_EQ(Truncated("Masq", kMaxTipLength), "Masq");
    EXPECT_EQ(Truncated(long300, kMaxBalloonTitleLength).size(), 63u);
    EXPECT_EQ(Truncated(long300, kMaxBalloonTextLength).size(), 255u);
    EXPECT_EQ(Truncated(std::string(255, 'y'), kMaxBalloonTextLength), std::string(255, 'y'));
}

TEST(TrayRules, IconIndexIsClampedToTheList) {
    EXPECT_EQ(ClampIconIndex(3, 7), 3);
    EXPECT_EQ(ClampIconIndex(12, 7), 6);
    EXPECT_EQ(ClampIconIndex(-1, 7), 0);
    EXPECT_EQ(ClampIconIndex(5, 0), 0);
}

TEST(TrayRules, CyclingShowsEveryFrameThenStartsAgain) {
    std::vector<int> shown;
    for (int i = 0, index = 0; i < 9; ++i, index = NextCycleIndex(index, 7))
        shown.push_back(index);
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 0, 1}));
    EXPECT_EQ(NextCycleIndex(0, 1), 0);
    EXPECT_EQ(NextCycleIndex(0, 0), 0);
}
