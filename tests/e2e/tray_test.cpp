// The tray icon and its popup menu on the real program: the icon at start, a click on it, and
// the menu worked from the keyboard as a user does.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/driver/artifacts.h"
#include "tests/driver/ui.h"
#include "tests/driver/wait.h"
#include "tests/e2e/masq_fixture.h"
#include "tests/e2e/tray.h"

namespace e2e {

using namespace driver;

namespace {

HWND OpenMenuByClick(const Masq& masq) {
    ClickTrayIcon();
    return WaitForTopLevel(masq.Process().Id(), "", "#32768");
}

// A mnemonic typed into the open menu, as a user does.
void ChooseFromMenu(HWND menu, char mnemonic) {
    ASSERT_TRUE(TypeKeyInto(menu, WORD(mnemonic)));
}

// The icon's first tooltip, "Masq", lasts only until the directory request at the end of
// start-up; without a directory the start ends in the off state.
TEST_F(MasqTest, TheIconIsInTheTrayAtStartAndOffWithoutADirectory) {
    Masq masq;
    ASSERT_TRUE(masq.WaitForStartUp()) << "the off state comes once the unblock advice is closed";
    ASSERT_TRUE(WaitForTrayIcon());
    EXPECT_EQ(TrayTooltip(), "Masq OFF");
    EXPECT_EQ(TrayIconColour(), IconColour::Red);
    SaveTrayScreenshot("tray_at_start");
}

TEST_F(MasqTest, AClickOnTheIconOpensTheMenuWhoseItemsAnswerTheirKeys) {
    Masq masq;
    ASSERT_TRUE(masq.WaitForStartUp());
    ASSERT_TRUE(WaitForTrayIcon());

    HWND menu = OpenMenuByClick(masq);
    ASSERT_TRUE(menu);
    SaveWindowScreenshot("menu_open", menu, 40);

    // "&Masq" is disabled at start: its key does nothing and the menu stays open.
    ChooseFromMenu(menu, 'M');
    ASSERT_TRUE(TypeKeyInto(menu, VK_ESCAPE));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }));
    EXPECT_FALSE(IsWindowVisible(masq.MainForm()));

    // "&Options..." shows the dialog on its first page.
    menu = OpenMenuByClick(masq);
    ASSERT_TRUE(menu);
    ChooseFromMenu(menu, 'O');
    HWND form = masq.MainForm();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form) != 0; }));
    EXPECT_TRUE(IsWindowVisible(GetParent(FindChildById(form, IDC_CHK_COUNTRY))));
    // The same menu hangs on the dialog's control-box button.
    PostMessageA(form, WM_NCLBUTTONDOWN, HTSYSMENU, 0);
    menu = WaitForTopLevel(masq.Process().Id(), "", "#32768");
    ASSERT_TRUE(menu);
    ASSERT_TRUE(TypeKeyInto(menu, VK_ESCAPE));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }));
    Click(FindChildById(form, IDCANCEL));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(form); }));

    // "&About..." shows it on the About page.
    menu = OpenMenuByClick(masq);
    ASSERT_TRUE(menu);
    ChooseFromMenu(menu, 'A');
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form) != 0; }));
    EXPECT_TRUE(IsWindowVisible(GetParent(FindChildById(form, IDC_LBL_APPNAME))));
    EXPECT_FALSE(IsWindowVisible(GetParent(FindChildById(form, IDC_CHK_COUNTRY))));
    Click(FindChildById(form, IDCANCEL));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(form); }));

    // "&Exit" ends the program.
    menu = OpenMenuByClick(masq);
    ASSERT_TRUE(menu);
    ChooseFromMenu(menu, 'E');
    EXPECT_EQ(masq.Process().WaitForExit(kUiTimeout), 0u);
}

}  // namespace
}  // namespace e2e
