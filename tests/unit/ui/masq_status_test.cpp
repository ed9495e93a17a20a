#include "ui/tray/masq_status.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_status_display.h"

namespace {

using Balloon = FakeStatusDisplay::Balloon;

struct MenuState {
    bool masq, selectIP, stop;
    bool operator==(const MenuState&) const = default;
};

class MasqStatusTest : public testing::Test {
  protected:
    MenuState Menu() const {
        return {display.IsMenuItemEnabled(TrayMenuItem::Masq1), display.IsMenuItemEnabled(TrayMenuItem::SelectIP1),
                display.IsMenuItemEnabled(TrayMenuItem::StopMasq1)};
    }

    FakeStatusDisplay display;
    MasqStatus status{display};
};

TEST_F(MasqStatusTest, EachStateShowsItsLookAndABalloonAndTheMenuFollowsTheLastOnOrOff) {
    status.SetMasqStatus(DisplayState::Busy, "Connecting to Server: 127.0.0.5", BalloonIcon::Info, "ignored");
    EXPECT_EQ(display.look, (TrayLook{StatusImages::Busy, 0, true, "Connecting to Server: 127.0.0.5"}));
    EXPECT_EQ(display.balloons.back(), (Balloon{"Masq NG", "Connecting to Server: 127.0.0.5", BalloonIcon::Info, 10}));
    EXPECT_EQ(Menu(), (MenuState{false, false, false})) << "busy before any on or off leaves all three disabled";

    status.SetMasqStatus(DisplayState::On, "United States #1 [127.0.0.2]", BalloonIcon::Info,
                         "Masq NG - United States #1 [127.0.0.2]");
    EXPECT_EQ(display.look, (TrayLook{StatusImages::Status, 0, false, "Masq NG - United States #1 [127.0.0.2]"}));
    EXPECT_EQ(Menu(), (MenuState{false, true, true}));

    status.SetMasqStatus(DisplayState::Busy, "Try SilentUpdate-1 ...", BalloonIcon::Info);
    EXPECT_EQ(Menu(), (MenuState{false, true, true})) << "busy leaves the menu as the last on set it";

    status.SetMasqStatus(DisplayState::Off, "Connection lost", BalloonIcon::Error, "ignored");
    EXPECT_EQ(display.look, (TrayLook{StatusImages::Status, 1, false, "Masq OFF"}));
    EXPECT_EQ(display.balloons.back(), (Balloon{"Masq NG", "Connection lost", BalloonIcon::Error, 10}));
    EXPECT_EQ(Menu(), (MenuState{true, false, false}));

    status.SetMasqStatus(DisplayState::On, "Masq ON", BalloonIcon::Info);
    EXPECT_EQ(display.look.tip, "Masq ON") << "without a hint the on state's tooltip is Masq ON";
}

TEST_F(MasqStatusTest, EveryCallShowsABalloonAndAnUnknownStateChangesNothing) {
    status.SetMasqStatus(DisplayState::Off, "User stopped Masq", BalloonIcon::Info);
    status.SetMasqStatus(DisplayState::Off, "User stopped Masq", BalloonIcon::Info);
    EXPECT_EQ(display.balloons.size(), 2u);

    const TrayLook before = display.look;
    status.SetMasqStatus(static_cast<DisplayState>(7), "x", BalloonIcon::Info);
    EXPECT_EQ(display.look, before);
    EXPECT_EQ(display.balloons.size(), 2u);
    EXPECT_EQ(Menu(), (MenuState{true, false, false}));
}

}  // namespace
