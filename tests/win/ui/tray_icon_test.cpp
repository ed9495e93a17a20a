#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/tray/cool_tray_icon_win.h"
#include "ui/tray/tray_win.h"
#include "window_driver.h"

namespace {

struct Sent {
    DWORD action;
    NOTIFYICONDATAA record;
};

// A tray icon whose records are kept instead of reaching the shell.
struct RecordedTray {
    std::vector<Sent> sent;
    TCoolTrayIcon tray{[this](DWORD action, const NOTIFYICONDATAA& record) {
        sent.push_back({action, record});
        return true;
    }};
    const Sent& Last() const { return sent.back(); }
};

// Runs this thread's messages (the tray's timers and callbacks) until `done` holds.
bool PumpUntil(const std::function<bool()>& done) {
    return WaitUntil([&] {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        return done();
    });
}

void SendCallback(const TCoolTrayIcon& tray, UINT mouseMessage) {
    SendMessageA(tray.Handle(), kTrayCallbackMessage, 1, mouseMessage);
}

// The window the menu's commands go to: the main form in the program.
HWND CreateMenuOwner() {
    return CreateWindowExA(0, "STATIC", "main form", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                           nullptr);
}

}  // namespace

TEST(TrayIcon, ShowAddsTheIconWithItsRecord) {
    RecordedTray recorded;
    recorded.tray.SetHint("Masq");
    recorded.tray.ShowBalloon("Masq NG", "too early", BalloonIcon::Info, 10);
    EXPECT_TRUE(recorded.sent.empty());  // nothing reaches the shell before it is shown

    recorded.tray.Show();
    ASSERT_EQ(recorded.sent.size(), 2u);
    const NOTIFYICONDATAA& added = recorded.sent[0].record;
    EXPECT_EQ(recorded.sent[0].action, DWORD(NIM_ADD));
    EXPECT_EQ(added.cbSize, 504u);
    EXPECT_EQ(added.hWnd, recorded.tray.Handle());
    EXPECT_EQ(added.uID, 1u);
    EXPECT_EQ(added.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(added.uCallbackMessage, 2048u);
    EXPECT_NE(added.hIcon, nullptr);  // the program's icon
    EXPECT_STREQ(added.szTip, "Masq");
    EXPECT_EQ(recorded.sent[1].action, DWORD(NIM_SETVERSION));
    EXPECT_EQ(recorded.sent[1].record.uVersion, 0u);
}

TEST(TrayIcon, TooltipAndBalloonAreCutToTheirBuffersAndTheOldBalloonClearedFirst) {
    RecordedTray recorded;
    recorded.tray.Show();
    recorded.tray.SetHint(std::string(300, 't'));
    EXPECT_EQ(recorded.Last().action, DWORD(NIM_MODIFY));
    EXPECT_EQ(std::string(recorded.Last().record.szTip), std::string(127, 't'));

    const std::size_t before = recorded.sent.size();
    recorded.tray.ShowBalloon(std::string(100, 'T'), std::string(300, 'b'), BalloonIcon::Warning, 10);
    ASSERT_EQ(recorded.sent.size(), before + 2);
    const NOTIFYICONDATAA& cleared = recorded.sent[before].record;
    EXPECT_TRUE(cleared.uFlags & NIF_INFO);
    EXPECT_STREQ(cleared.szInfo, "");
    const NOTIFYICONDATAA& shown = recorded.Last().record;
    EXPECT_EQ(shown.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO));
    EXPECT_EQ(std::string(shown.szInfo), std::string(255, 'b'));
    EXPECT_EQ(std::string(shown.szInfoTitle), std::string(63, 'T'));
    EXPECT_EQ(shown.uTimeout, 10000u);
    EXPECT_EQ(shown.dwInfoFlags, DWORD(NIIF_WARNING));

    recorded.tray.SetHint("Masq OFF");  // back to the resting flags
    EXPECT_EQ(recorded.Last().record.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
}

TEST(TrayIcon, LeftClickIsReportedOnRelease) {
    RecordedTray recorded;
    int clicks = 0;
    recorded.tray.OnClick = [&] { ++clicks; };
    recorded.tray.Show();

    SendCallback(recorded.tray, WM_LBUTTONDOWN);
    EXPECT_EQ(clicks, 0);
    SendCallback(recorded.tray, WM_LBUTTONUP);
    EXPECT_EQ(clicks, 1);
    SendCallback(recorded.tray, WM_LBUTTONUP);  // no press before it
    SendCallback(recorded.tray, WM_RBUTTONDOWN);
    SendCallback(recorded.tray, WM_RBUTTONUP);
    EXPECT_EQ(clicks, 1);
}

TEST(TrayIcon, TaskbarCreatedAddsTheIconAgain) {
    RecordedTray recorded;
    recorded.tray.Show();
    recorded.tray.SetHint("Masq OFF");
    SendMessageA(recorded.tray.Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_EQ(recorded.Last().action, DWORD(NIM_ADD));
    EXPECT_STREQ(recorded.Last().record.szTip, "Masq OFF");
}

TEST(TrayIcon, IconIndexIsClampedToTheList) {
    const IconList status = LoadStatusImages();
    RecordedTray recorded;
    recorded.tray.Show();
    recorded.tray.SetIconList(&status);
    recorded.tray.SetIconIndex(5);
    EXPECT_EQ(recorded.Last().record.hIcon, status.At(1));
    EXPECT_NE(status.At(0), status.At(1));
}

TEST(TrayIcon, CyclingShowsEachFrameOnTheTimerAndWraps) {
    const IconList busy = LoadBusyImages();
    RecordedTray recorded;
    recorded.tray.Show();
    recorded.tray.SetIconList(&busy);
    recorded.tray.SetCycleInterval(10);
    recorded.tray.SetCycleIcons(true);
    const std::size_t before = recorded.sent.size();
    ASSERT_TRUE(PumpUntil([&] { return recorded.sent.size() >= before + 9; }));
    recorded.tray.SetCycleIcons(false);

    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(recorded.sent[before + i].record.hIcon, busy.At(i % 7)) << i;
}

TEST(TrayIcon, TheShellShowsTheIconAndReportsAClickOnIt) {
    TCoolTrayIcon tray;
    int clicks = 0;
    tray.OnClick = [&] { ++clicks; };
    tray.SetHint("Masq");
    tray.Show();

    HWND trayWindow = WaitForTopLevel(0, "Wine System Tray");
    ASSERT_TRUE(trayWindow) << "no notification area on this display";
    HWND icon = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (icon = GetWindow(trayWindow, GW_CHILD)) != nullptr; }));
    PostMessageA(icon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(icon, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
}

TEST(MasqTray, ShowsEachLookOnTheIconAndKeepsTheMenuItemsItIsGiven) {
    MasqTray tray;
    HWND form = CreateMenuOwner();
    tray.Start(form);
    EXPECT_FALSE(tray.IsMenuItemEnabled(TrayMenuItem::Masq1));
    EXPECT_TRUE(tray.IsMenuItemEnabled(TrayMenuItem::Exit1));

    tray.ShowLook({StatusImages::Status, 1, false, "Masq OFF"});
    tray.SetMenuItemEnabled(TrayMenuItem::Masq1, true);
    EXPECT_TRUE(tray.IsMenuItemEnabled(TrayMenuItem::Masq1));
    tray.ShowBalloon("Masq NG", "User stopped Masq", BalloonIcon::Info, 10);
    DestroyWindow(form);
}
