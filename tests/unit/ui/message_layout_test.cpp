#include "ui/messages/message_layout.h"

#include <gtest/gtest.h>

TEST(MessageLayout, IconBesideTheTextAndButtonsRightToLeftUnderTheBottomLine) {
    MessageLayout layout = LayOutMessageDialog(13, true, 2, 96);
    EXPECT_EQ(layout.label, (LayoutBox{88, 24, 225, 13}));
    EXPECT_EQ(layout.image, (LayoutBox{24, 24, 40, 40}));
    EXPECT_EQ(layout.clientWidth, 336);
    // The icon's bottom (64) is the bottom line.
    ASSERT_EQ(layout.buttons.size(), 2u);
    EXPECT_EQ(layout.buttons[0], (LayoutBox{239, 84, 73, 25}));
    EXPECT_EQ(layout.buttons[1], (LayoutBox{146, 84, 73, 25}));
    EXPECT_EQ(layout.clientHeight, 64 + 75);
}

TEST(MessageLayout, LongTextPushesTheButtonsDown) {
    MessageLayout layout = LayOutMessageDialog(91, true, 1, 96);
    EXPECT_EQ(layout.buttons.at(0).top, 24 + 91 + 20);
    EXPECT_EQ(layout.clientHeight, 24 + 91 + 75);
}

TEST(MessageLayout, WithoutAnIconTheTextMovesLeftAndTheFormNarrowsForUpToTwoButtons) {
    MessageLayout two = LayOutMessageDialog(13, false, 2, 96);
    EXPECT_EQ(two.label.left, 24);
    EXPECT_EQ(two.image, LayoutBox{});
    EXPECT_EQ(two.clientWidth, 272);
    EXPECT_EQ(two.buttons.at(0).left, 272 - 97);
    EXPECT_EQ(two.buttons.at(0).top, 24 + 13 + 20);

    MessageLayout three = LayOutMessageDialog(13, false, 3, 96);
    EXPECT_EQ(three.clientWidth, 336);
    EXPECT_EQ(three.buttons.at(2).left, 336 - 97 - 186);
}

TEST(MessageLayout, ScalesWithTheDpi) {
    EXPECT_EQ(LabelWrapWidth(96), 225);
    EXPECT_EQ(LabelWrapWidth(144), 338);
    MessageLayout layout = LayOutMessageDialog(20, true, 1, 144);
    EXPECT_EQ(layout.image, (LayoutBox{36, 36, 60, 60}));
    EXPECT_EQ(layout.label.left, 132);
    EXPECT_EQ(layout.clientWidth, 504);
    EXPECT_EQ(layout.buttons.at(0), (LayoutBox{359, 96 + 30, 110, 38}));
    EXPECT_EQ(layout.clientHeight, 96 + 113);
}
