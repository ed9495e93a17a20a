// The options dialog opened by its menu command: stored values shown, OK writes every key,
// Cancel writes nothing.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/driver/artifacts.h"
#include "tests/driver/files.h"
#include "tests/driver/ui.h"
#include "tests/e2e/masq_fixture.h"
#include "ui/tray/tray_menu.h"

namespace e2e {

using namespace driver;
namespace {

bool IsChecked(HWND dialog, int id) {
    return SendMessageA(FindChildById(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Switches pages the way a user does: Alt and the page's mnemonic.
void ShowPage(HWND form, char mnemonic, int controlOnPage, const std::string& screenshot) {
    ASSERT_TRUE(TypeKeyInto(form, WORD(mnemonic), {VK_MENU}));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(FindChildById(form, controlOnPage)) != 0; })) << mnemonic;
    SaveWindowScreenshot(screenshot, form, 8);
}

const char kStoredSettings[] =
    "[Config]\r\nVersion=1.84\r\nFirstRun=0\r\nAutoSelectCountry=0\r\nBrowserIE=1\r\nBrowserFirefox=0x0\r\n"
    "FirefoxControlMode=1\r\n"
    "[Bypass]\r\nCounter=3\r\n1=intranet.example\r\n3=bank.example\r\n"
    "[HotKey]\r\nEnable=no number\r\n";

// The settings a user left behind in an earlier run.
void StoreSettings() {
    CreateDirectoryA(Paths().dataFolder.c_str(), nullptr);
    WriteFile(Paths().settings, kStoredSettings);
}

TEST_F(MasqTest, TheOptionsDialogShowsTheStoredValuesOnEveryPage) {
    StoreSettings();
    Masq masq;
    ASSERT_TRUE(masq.WaitForStartUp());
    HWND form = masq.OpenOptions();
    ASSERT_TRUE(form);

    EXPECT_FALSE(IsChecked(form, IDC_CHK_COUNTRY));
    EXPECT_FALSE(IsChecked(form, IDC_CHK_START_WITH_WINDOWS));
    EXPECT_TRUE(IsChecked(form, IDC_CHK_IE));
    EXPECT_FALSE(IsChecked(form, IDC_CHK_FIREFOX));
    EXPECT_FALSE(IsChecked(form, IDC_RDG_FIREFOX_PLUGIN));
    EXPECT_TRUE(IsChecked(form, IDC_RDG_FIREFOX_RESTART));
    EXPECT_EQ(TextOf(FindChildById(form, IDC_MEM_BYPASS)), "intranet.example\r\n\r\nbank.example");
    EXPECT_TRUE(IsChecked(form, IDC_CHK_HOTKEY)) << "text that is no number reads as the default";

    SaveWindowScreenshot("options_general", form, 8);
    ShowPage(form, 'B', IDC_MEM_BYPASS, "options_bypass");
    ShowPage(form, 'H', IDC_CHK_HOTKEY, "options_hotkey");
    ShowPage(form, 'A', IDC_LBL_APPNAME, "options_about");
    EXPECT_EQ(TextOf(FindChildById(form, IDC_LBL_APPNAME)), "Masq NG 1.84");
}

TEST_F(MasqTest, OkWritesEveryKeyOfTheDialogAndTheAutostartEntry) {
    StoreSettings();
    Masq masq;
    ASSERT_TRUE(masq.WaitForStartUp());
    HWND form = masq.OpenOptions();
    ASSERT_TRUE(form);

    SendMessageA(FindChildById(form, IDC_CHK_COUNTRY), BM_CLICK, 0, 0);
    SendMessageA(FindChildById(form, IDC_CHK_START_WITH_WINDOWS), BM_CLICK, 0, 0);
    SendMessageA(FindChildById(form, IDC_CHK_FIREFOX), BM_CLICK, 0, 0);
    SendMessageA(FindChildById(form, IDC_RDG_FIREFOX_PLUGIN), BM_CLICK, 0, 0);
    SendMessageA(FindChildById(form, IDC_MEM_BYPASS), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("a.example\r\nb.example"));
    SendMessageA(FindChildById(form, IDC_CHK_HOTKEY), BM_CLICK, 0, 0);
    Click(FindChildById(form, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(form); }));

    const std::string& ini = Paths().settings;
    EXPECT_EQ(IniValue(ini, "Config", "AutoSelectCountry"), "1");
    EXPECT_EQ(IniValue(ini, "Config", "BrowserIE"), "1");
    EXPECT_EQ(IniValue(ini, "Config", "BrowserFirefox"), "1");
    EXPECT_EQ(IniValue(ini, "Config", "FirefoxControlMode"), "0");
    EXPECT_EQ(IniValue(ini, "Bypass", "Counter"), "2");
    EXPECT_EQ(IniValue(ini, "Bypass", "1"), "a.example");
    EXPECT_EQ(IniValue(ini, "Bypass", "2"), "b.example");
    EXPECT_EQ(IniValue(ini, "Bypass", "3"), "bank.example") << "keys above the count stay";
    EXPECT_EQ(IniValue(ini, "HotKey", "Enable"), "0");
    EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, kRunKey, "Masq NG"), Paths().exe);

    // The next opening shows what was saved, the autostart entry included.
    masq.OpenOptions();
    EXPECT_TRUE(IsChecked(form, IDC_CHK_START_WITH_WINDOWS));
    EXPECT_EQ(TextOf(FindChildById(form, IDC_MEM_BYPASS)), "a.example\r\nb.example");
}

TEST_F(MasqTest, CancelWritesNothing) {
    Masq masq;
    ASSERT_TRUE(masq.WaitForStartUp());
    const std::string before = ReadFile(Paths().settings).value();
    HWND form = masq.OpenOptions();
    ASSERT_TRUE(form);

    SendMessageA(FindChildById(form, IDC_CHK_COUNTRY), BM_CLICK, 0, 0);
    SendMessageA(FindChildById(form, IDC_CHK_START_WITH_WINDOWS), BM_CLICK, 0, 0);
    SendMessageA(FindChildById(form, IDC_MEM_BYPASS), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed.example"));
    Click(FindChildById(form, IDCANCEL));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(form); }));

    EXPECT_EQ(ReadFile(Paths().settings), before);
    EXPECT_FALSE(RegistryValue(HKEY_CURRENT_USER, kRunKey, "Masq NG"));
    masq.OpenOptions();
    EXPECT_TRUE(IsChecked(form, IDC_CHK_COUNTRY)) << "the stored values come back";
    EXPECT_EQ(TextOf(FindChildById(form, IDC_MEM_BYPASS)), "");
}

TEST_F(MasqTest, TheFormStartsHiddenAndMinimisingSendsItBackToTheTray) {
    Masq masq;
    ASSERT_TRUE(masq.WaitForStartUp());
    HWND form = masq.MainForm();
    ASSERT_TRUE(form);
    EXPECT_FALSE(IsWindowVisible(form)) << "the program starts with the icon alone";

    ASSERT_TRUE(masq.OpenOptions());
    PostMessageA(form, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(form); }));
    EXPECT_TRUE(masq.OpenOptions()) << "the menu's Options shows it again";
    EXPECT_FALSE(IsIconic(form));
}

}  // namespace
}  // namespace e2e
