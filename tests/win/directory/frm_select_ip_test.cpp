// TfrmSelectIP for real: its controls, places and tab order, its rows, and what OK, a double
// click, Escape and the frame do, driven from the test thread while the dialog runs its loop.
#include "directory/frm_select_ip_win.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "directory/node_selection.h"
#include "resources/resource_ids.h"
#include "tests/fakes/fake_random_pick.h"
#include "tests/fakes/fake_settings_store.h"
#include "tests/fakes/fake_status_display.h"
#include "tests/fakes/recording_log.h"
#include "tests/win/ui/window_driver.h"
#include "ui/tray/masq_status.h"

using ::testing::ElementsAre;

namespace {

// The node list 10, 10, 11, and the selection over it with the real dialog.
struct Selection {
    explicit Selection(bool forced) : forced(forced) {
        session.Servers = {TServer{"#1 Masq Node", "10.0.0.1", 10, 1, false},
                           TServer{"#2 Masq Node", "10.0.0.2", 10, 2, false},
                           TServer{"#3 Masq Node", "10.0.0.3", 11, 3, false}};
    }
    ModalOnWorker Show() {
        return ModalOnWorker("Select IP", [this] {
            selection.ShowSelectIP(forced);
            return 0;
        });
    }

    bool forced;
    SessionValues session;
    RecordingLog log;
    FakeStatusDisplay display;
    MasqStatus status{display};
    FakeSettingsStore settings;
    FakeRandomPick random;
    ProgramValues values;  // no skin file: the system look
    WinSelectIpDialogs dialogs{values};
    std::vector<std::string> launched;
    NodeSelection selection{session, SelectionPorts{log, status, settings, random, dialogs},
                            TunnelLaunch{[] {}, [this](const TServer& node) { launched.push_back(node.Host); }}};
};

std::vector<std::string> ListRows(HWND list) {
    std::vector<std::string> rows;
    const int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        rows.emplace_back(text);
    }
    return rows;
}

void Select(HWND dialog, int row) {
    SendDlgItemMessageA(dialog, IDC_LSB_SELECT_IP, LB_SETCURSEL, row, 0);
}

TEST(TfrmSelectIP, ShowsItsControlsInTheirPlacesAndTabOrder) {
    Selection selection(true);
    ModalOnWorker dialog = selection.Show();
    HWND form = dialog.Window();
    ASSERT_TRUE(form);
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, 338);
    EXPECT_EQ(client.bottom, 315);

    const struct {
        int id;
        const char* text;
        RECT box;
    } controls[] = {
        {IDOK, "&OK", {193, 280, 270, 305}},
        {IDCANCEL, "&Cancel", {73, 280, 150, 305}},
        {IDC_LSB_SELECT_IP, "", {29, 80, 315, 225}},
        {IDC_CHK_ALWAYS_LOCATION, "Always choose this location", {34, 240, 315, 257}},
        {IDC_LBL_SELECT_IP, "Select an IP address you prefer to use:", {29, 48, 315, 64}},
    };
    HWND child = GetWindow(form, GW_CHILD);  // children in tab order
    for (const auto& c : controls) {
        ASSERT_TRUE(child);
        EXPECT_EQ(GetDlgCtrlID(child), c.id);
        EXPECT_EQ(TextOf(child), c.text) << c.id;
        const RECT box = ClientRectOf(form, child);
        EXPECT_EQ(box.left, c.box.left) << c.id;
        EXPECT_EQ(box.top, c.box.top) << c.id;
        EXPECT_EQ(box.right, c.box.right) << c.id;
        EXPECT_EQ(box.bottom, c.box.bottom) << c.id;
        child = GetWindow(child, GW_HWNDNEXT);
    }

    HWND list = GetDlgItem(form, IDC_LSB_SELECT_IP);
    EXPECT_THAT(ListRows(list), ElementsAre("United States", "  #1 Masq Node", "  #2 Masq Node",
                                            "United States - Houston", "  #3 Masq Node"));
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 16);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(IsDlgButtonChecked(form, IDC_CHK_ALWAYS_LOCATION), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(form, IDCANCEL)));  // forced
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(form) == GetDlgItem(form, IDOK); }));

    // Escape cannot cancel the forced dialog: the OK pressed after it still finds the dialog (and
    // without a row selected, leaves it open). Its frame can close it.
    Select(form, -1);
    PostMessageA(FocusOf(form), WM_KEYDOWN, VK_ESCAPE, 0);
    Click(GetDlgItem(form, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return selection.settings.Writes() == 1; }));
    EXPECT_TRUE(IsWindowVisible(form));
    PostMessageA(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(dialog.Result(), 0);
    EXPECT_TRUE(selection.launched.empty());
}

TEST(TfrmSelectIP, OkOnAHeaderChoosesTheLocationAndADoubleClickANode) {
    Selection selection(false);
    {
        ModalOnWorker dialog = selection.Show();
        ASSERT_TRUE(dialog.Window());
        CheckDlgButton(dialog.Window(), IDC_CHK_ALWAYS_LOCATION, BST_UNCHECKED);
        Select(dialog.Window(), 3);  // "United States - Houston"
        Click(GetDlgItem(dialog.Window(), IDOK));
        EXPECT_EQ(dialog.Result(), 0);
    }
    EXPECT_THAT(selection.launched, ElementsAre("10.0.0.3"));
    EXPECT_EQ(selection.settings.Raw("Config", "LastCountry"), "11");
    EXPECT_EQ(selection.settings.Raw("Config", "AutoSelectCountry"), "0");

    ModalOnWorker dialog = selection.Show();
    ASSERT_TRUE(dialog.Window());
    HWND list = GetDlgItem(dialog.Window(), IDC_LSB_SELECT_IP);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 3);  // where the last OK was
    EXPECT_EQ(IsDlgButtonChecked(dialog.Window(), IDC_CHK_ALWAYS_LOCATION), BST_UNCHECKED);
    Select(dialog.Window(), 2);
    PostMessageA(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDC_LSB_SELECT_IP, LBN_DBLCLK), LPARAM(list));
    EXPECT_EQ(dialog.Result(), 0);
    EXPECT_THAT(selection.launched, ElementsAre("10.0.0.3", "10.0.0.2"));
    EXPECT_THAT(selection.log.texts.back(), "Select IP: United States #2 Masq Node");
}

TEST(TfrmSelectIP, EscapeCancelsTheDialogThatIsNotForced) {
    Selection selection(false);
    ModalOnWorker dialog = selection.Show();
    ASSERT_TRUE(dialog.Window());
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog.Window(), IDCANCEL)));
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(dialog.Window()) != nullptr; }));
    PostMessageA(FocusOf(dialog.Window()), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(dialog.Result(), 0);
    EXPECT_TRUE(selection.launched.empty());
    EXPECT_EQ(selection.settings.Writes(), 0);
}

}  // namespace
