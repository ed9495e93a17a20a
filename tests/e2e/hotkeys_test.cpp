// The global hotkeys on the real program: Ctrl+W, Ctrl+Q and Ctrl+D typed on the desktop, a
// combination another program holds, the hotkey edits of the options dialog, and the hotkeys
// turned off there.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/driver/artifacts.h"
#include "tests/driver/files.h"
#include "tests/driver/program.h"
#include "tests/driver/ui.h"
#include "tests/driver/wait.h"
#include "tests/e2e/masq_fixture.h"

namespace e2e {

using namespace driver;

namespace {

constexpr char kCtrlW[] = "2 87", kCtrlQ[] = "2 81", kCtrlD[] = "2 68";

// Another program asks for the combinations ("MODIFIERS KEY ..."): true when it got them all,
// which it keeps until the end of the test.
class OtherProgram {
  public:
    explicit OtherProgram(const std::string& combinations) : program_(FixtureCommand(HOLD_HOTKEYS_EXE, combinations)) {}
    bool Holds() {
        bool holds = false;
        WaitUntil([&] {
            holds = FindTopLevel(program_.Id(), "hold_hotkeys", "", Visibility::kAny) != nullptr;
            return holds || !program_.Running();
        });
        return holds;
    }

  private:
    Program program_;
};

bool Free(const std::string& combinations) {
    return OtherProgram(combinations).Holds();
}

// What the screen shows inside the edit, right of its text.
COLORREF BackgroundOf(HWND edit) {
    RECT box{};
    GetWindowRect(edit, &box);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, box.right - 4, (box.top + box.bottom) / 2);
    ReleaseDC(nullptr, screen);
    return colour;
}
constexpr COLORREF kSkyBlue = RGB(0xA6, 0xCA, 0xF0), kRed = RGB(0xFF, 0, 0);

TEST_F(MasqTest, CtrlWTogglesHidingCtrlQOpensTheMenuAtTheCursorAndCtrlDSelects) {
    UseDirectoryAtStart();
    Masq masq;
    ASSERT_TRUE(masq.WaitForLog("Masq ON"));

    TypeKey('W', {VK_CONTROL});
    ASSERT_TRUE(masq.WaitForLog("User stopped Masq"));
    TypeKey('W', {VK_CONTROL});
    ASSERT_TRUE(masq.WaitForLog("Masq ON", 2));

    SetCursorPos(400, 300);
    TypeKey('Q', {VK_CONTROL});
    HWND menu = WaitForTopLevel(masq.Process().Id(), "", "#32768");
    ASSERT_TRUE(menu);
    RECT box{};
    GetWindowRect(menu, &box);
    EXPECT_EQ(box.left, 400);
    EXPECT_EQ(box.top, 300);
    ASSERT_TRUE(TypeKeyInto(menu, VK_ESCAPE));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }));

    TypeKey('D', {VK_CONTROL});
    HWND selection = WaitForTopLevel(masq.Process().Id(), "Select IP");
    ASSERT_TRUE(selection);
    Click(FindChildById(selection, IDCANCEL));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(selection); }));
}

TEST_F(MasqTest, ACombinationAnotherProgramHoldsGivesOneMessageAndTheOthersStayRegistered) {
    OtherProgram other(kCtrlW);
    ASSERT_TRUE(other.Holds());
    Masq masq;
    HWND message = WaitForTopLevel(masq.Process().Id(), "Masq NG");
    ASSERT_TRUE(message);
    EXPECT_TRUE(FindChild(message, "Static", "Register Hotkey Ctrl + W  failed!"));
    SaveWindowScreenshot("hotkey_failed", message, 8);
    Click(FindChild(message, "Button", "OK"));
    ASSERT_TRUE(masq.WaitForStartUp());
    EXPECT_FALSE(Free(kCtrlQ));
    EXPECT_FALSE(Free(kCtrlD));
}

TEST_F(MasqTest, KeysTypedIntoTheHotkeyEditsAreShownStoredAndRegisteredOnOk) {
    Masq masq;
    ASSERT_TRUE(masq.WaitForStartUp());
    HWND form = masq.OpenOptions();
    ASSERT_TRUE(form);
    ASSERT_TRUE(TypeKeyInto(form, 'H', {VK_MENU}));
    HWND hide = FindChildById(form, IDC_HKE_HIDE), popup = FindChildById(form, IDC_HKE_POP),
         select = FindChildById(form, IDC_HKE_SELECT);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(hide) != 0; }));
    EXPECT_EQ(TextOf(hide), "Ctrl + W");
    EXPECT_EQ(TextOf(popup), "Ctrl + Q");
    EXPECT_EQ(TextOf(select), "Ctrl + D");
    EXPECT_TRUE(FindChild(form, "Static", "Click on the box and press the hotkey you wish to use:"));
    for (const char* label : {"Masq/ Stop Masq", "Popup Menu", "Select IP Address"})
        EXPECT_TRUE(FindChild(form, "Static", label)) << label;

    // Each key pressed replaces the combination: the modifiers alone first, then the whole.
    auto typeInto = [&](HWND edit, WORD key, std::initializer_list<WORD> modifiers) {
        PostMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(form) == edit; }));
        ASSERT_TRUE(TypeKeyInto(form, key, modifiers));
    };
    typeInto(hide, 'Z', {VK_CONTROL, VK_SHIFT, VK_MENU});
    ASSERT_TRUE(WaitUntil([&] { return TextOf(hide) == "Ctrl + Shift + Alt + Z"; })) << TextOf(hide);
    typeInto(popup, VK_SPACE, {VK_CONTROL});
    ASSERT_TRUE(WaitUntil([&] { return TextOf(popup).empty(); })) << TextOf(popup);
    typeInto(select, VK_F5, {VK_CONTROL, VK_SHIFT});
    ASSERT_TRUE(WaitUntil([&] { return TextOf(select) == "Ctrl + Shift + F5"; })) << TextOf(select);
    EXPECT_TRUE(WaitUntil([&] { return BackgroundOf(hide) == kSkyBlue && BackgroundOf(popup) == kRed; }));
    SaveWindowScreenshot("options_hotkey_edits", form, 8);

    Click(FindChildById(form, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(form); }));
    const struct {
        const char* key;
        const char* value;
    } stored[] = {{"hotkey_hide_vk", "90"},   {"hotkey_hide_mod", "7"}, {"hotkey_change_vk", "0"},
                  {"hotkey_change_mod", "0"}, {"hotkey_ip_vk", "116"},  {"hotkey_ip_mod", "6"}};
    for (const auto& s : stored)
        EXPECT_EQ(IniValue(Paths().settings, "HotKey", s.key), s.value) << s.key;
    EXPECT_FALSE(Free("7 90"));
    EXPECT_FALSE(Free("6 116"));
    EXPECT_TRUE(Free(std::string(kCtrlW) + " " + kCtrlQ + " " + kCtrlD)) << "the old ones are let go";
}

TEST_F(MasqTest, UncheckingEnableHotkeyAndOkUnregistersAllThree) {
    Masq masq;
    ASSERT_TRUE(masq.WaitForStartUp());
    const std::string all = std::string(kCtrlW) + " " + kCtrlQ + " " + kCtrlD;
    EXPECT_FALSE(Free(kCtrlW));
    EXPECT_FALSE(Free(kCtrlQ));
    EXPECT_FALSE(Free(kCtrlD));

    HWND form = masq.OpenOptions();
    ASSERT_TRUE(form);
    SendMessageA(FindChildById(form, IDC_CHK_HOTKEY), BM_CLICK, 0, 0);
    Click(FindChildById(form, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(form); }));
    EXPECT_EQ(IniValue(Paths().settings, "HotKey", "Enable"), "0");
    EXPECT_TRUE(Free(all));
}

}  // namespace
}  // namespace e2e
