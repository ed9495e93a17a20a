#include "ui/hotkeys/global_hotkeys.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_hotkey_registrar.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_settings_store.h"
#include "tests/fakes/fake_status_display.h"

namespace {

using Items = std::vector<TrayMenuItem>;

class GlobalHotkeysTest : public ::testing::Test {
  protected:
    FakeHotkeyRegistrar registrar;
    FakeSettingsStore settings;
    FakeMessageBoxes messages;
    FakeStatusDisplay menu;
    Items clicked;
    int popups = 0;
    GlobalHotkeys hotkeys{HotkeyPorts{registrar, settings, messages, menu},
                          HotkeyCalls{[this](TrayMenuItem item) { clicked.push_back(item); }, [this] { ++popups; }}};

    int Hide() const { return registrar.AtomOf("hkehide"); }
    int Popup() const { return registrar.AtomOf("hkepop"); }
    int Select() const { return registrar.AtomOf("hkeselect"); }
    void Store(const char* key, const char* value) { settings.Seed("HotKey", key, value); }
};

TEST_F(GlobalHotkeysTest, AFreshInstallationRegistersCtrlWCtrlQAndCtrlD) {
    hotkeys.InitHotkeys();
    EXPECT_EQ(registrar.atoms, (std::vector<std::string>{"hkehide", "hkeselect", "hkepop"}));
    EXPECT_EQ(registrar.registered,
              (std::map<int, HotKey>{{Hide(), {'W', 2}}, {Popup(), {'Q', 2}}, {Select(), {'D', 2}}}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(GlobalHotkeysTest, CombinationsTheEditDoesNotAcceptAreSkippedWithoutAMessage) {
    Store("hotkey_hide_vk", "87");
    Store("hotkey_hide_mod", "0");  // a letter alone
    Store("hotkey_change_vk", "0");
    Store("hotkey_change_mod", "0");  // saved from an empty edit
    Store("hotkey_ip_vk", "90");
    Store("hotkey_ip_mod", "7");
    hotkeys.InitHotkeys();
    EXPECT_EQ(registrar.registered, (std::map<int, HotKey>{{Select(), {'Z', 7}}}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(GlobalHotkeysTest, OneMessageNamesEveryRefusedCombinationAndTheOthersStayRegistered) {
    struct Case {
        std::set<std::pair<int, int>> held;
        const char* text;
        size_t registered;
    } cases[] = {
        {{{2, 'W'}}, "Register Hotkey Ctrl + W  failed!", 2},
        {{{2, 'W'}, {2, 'D'}}, "Register Hotkey Ctrl + W Ctrl + D  failed!", 1},
    };
    for (const Case& c : cases) {
        FakeHotkeyRegistrar others;
        others.held = c.held;
        FakeMessageBoxes shown;
        GlobalHotkeys refused{HotkeyPorts{others, settings, shown, menu}, HotkeyCalls{}};
        refused.InitHotkeys();
        ASSERT_EQ(shown.shown.size(), 1u) << c.text;
        EXPECT_EQ(shown.shown[0].caption, "Masq NG");
        EXPECT_EQ(shown.shown[0].text, c.text);
        EXPECT_EQ(shown.shown[0].kind, MessageKind::Error);
        EXPECT_EQ(shown.shown[0].buttons, kButtonsOK);
        EXPECT_EQ(others.registered.size(), c.registered) << c.text;
        EXPECT_FALSE(refused.EnableAllHotKeys()) << "nothing else retries them";
    }
}

TEST_F(GlobalHotkeysTest, DisabledHotkeysAreNeitherRegisteredNorReRegisteredAfterOk) {
    Store("Enable", "0");
    hotkeys.InitHotkeys();
    EXPECT_EQ(registrar.atoms.size(), 3u) << "the identifiers are made all the same";
    EXPECT_TRUE(registrar.registered.empty());

    // OK after unchecking "&Enable Hotkey" on a run that had them registered.
    Store("Enable", "1");
    EXPECT_TRUE(hotkeys.EnableAllHotKeys());
    Store("Enable", "0");
    hotkeys.DisableAllHotkeys();
    EXPECT_FALSE(hotkeys.EnableAllHotKeys());
    EXPECT_TRUE(registrar.registered.empty());
}

TEST_F(GlobalHotkeysTest, OkRegistersTheNewlyStoredCombinations) {
    hotkeys.InitHotkeys();
    Store("hotkey_hide_vk", "116");
    Store("hotkey_hide_mod", "6");
    hotkeys.DisableAllHotkeys();
    EXPECT_TRUE(registrar.registered.empty());
    EXPECT_TRUE(hotkeys.EnableAllHotKeys());
    EXPECT_EQ(registrar.registered.at(Hide()), (HotKey{116, 6}));
}

TEST_F(GlobalHotkeysTest, TheHideHotkeyStopsOrStartsHidingAsTheMenuAllows) {
    hotkeys.InitHotkeys();
    const struct {
        bool masq, stop;
        Items clicked;
    } cases[] = {
        {false, true, {TrayMenuItem::StopMasq1}},  // hiding on
        {true, false, {TrayMenuItem::Masq1}},      // hiding off
        {false, false, {}},                        // busy: neither
    };
    for (const auto& c : cases) {
        menu.enabled[TrayMenuItem::Masq1] = c.masq;
        menu.enabled[TrayMenuItem::StopMasq1] = c.stop;
        clicked.clear();
        hotkeys.WMHotKey(Hide());
        EXPECT_EQ(clicked, c.clicked);
    }
    EXPECT_EQ(popups, 0);
}

TEST_F(GlobalHotkeysTest, ThePopupHotkeyOpensTheMenuAndTheSelectHotkeyClicksAnEnabledSelectIP) {
    hotkeys.InitHotkeys();
    hotkeys.WMHotKey(Popup());
    EXPECT_EQ(popups, 1);

    menu.enabled[TrayMenuItem::SelectIP1] = false;
    hotkeys.WMHotKey(Select());
    EXPECT_TRUE(clicked.empty());
    menu.enabled[TrayMenuItem::SelectIP1] = true;
    hotkeys.WMHotKey(Select());
    EXPECT_EQ(clicked, Items{TrayMenuItem::SelectIP1});

    hotkeys.WMHotKey(0x1234);  // someone else's
    EXPECT_EQ(clicked, Items{TrayMenuItem::SelectIP1});
    EXPECT_EQ(popups, 1);
}

}  // namespace
