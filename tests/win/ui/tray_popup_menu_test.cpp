#include "ui/tray/tray_popup_menu_win.h"

#include <gtest/gtest.h>

#include <thread>

#include "common/window_base_win.h"
#include "ui/toolkit/skin_paint_win.h"
#include "window_driver.h"

namespace {

// The menu's owner: forwards the menu's messages and records the command chosen.
class MenuOwner final : public WindowBase {
  public:
    explicit MenuOwner(const TrayPopupMenu& menu) : menu_(menu) {
        CreateWindowOf("MasqTestMenuOwner", WS_EX_TOOLWINDOW, WS_POPUP, "", RECT{}, nullptr);
    }
    UINT command = 0;

  protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (auto answer = menu_.HandleOwnerMessage(message, wParam, lParam))
            return *answer;
        if (message == WM_COMMAND)
            command = LOWORD(wParam);
        return std::nullopt;
    }

  private:
    const TrayPopupMenu& menu_;
};

std::string CaptionAt(HMENU menu, int position) {
    char text[64] = {};
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

LRESULT MenuChar(const TrayPopupMenu& menu, char key) {
    return menu.HandleOwnerMessage(WM_MENUCHAR, MAKEWPARAM(key, MF_POPUP), reinterpret_cast<LPARAM>(menu.Handle()))
        .value();
}

// Waits for the open menu on another thread and types `keys` into it.
std::thread TypeIntoMenu(std::vector<WORD> keys) {
    return std::thread([keys] {
        WaitUntil([] { return FindWindowA("#32768", nullptr) && IsWindowVisible(FindWindowA("#32768", nullptr)); });
        for (WORD key : keys)
            TypeKey(key);
    });
}

}  // namespace

TEST(TrayPopupMenu, NineOwnerDrawnItemsThatToolsCanRead) {
    TrayPopupMenu menu(SystemSkin());
    HMENU handle = menu.Handle();
    ASSERT_EQ(GetMenuItemCount(handle), 9);
    std::vector<std::string> captions;
    std::vector<bool> enabled;
    for (int i = 0; i < 9; ++i) {
        captions.push_back(CaptionAt(handle, i));
        enabled.push_back(!(GetMenuState(handle, i, MF_BYPOSITION) & MF_GRAYED));
        EXPECT_TRUE(GetMenuState(handle, i, MF_BYPOSITION) & MF_OWNERDRAW);
        EXPECT_EQ(GetMenuItemID(handle, i), kTrayMenu[i].commandId);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"&Masq", "&Stop Masq", "Select I&P", "SEE my &IP...", "&Options...",
                                                  "&Report...", "Hel&p...", "&About...", "&Exit"}));
    EXPECT_EQ(enabled, (std::vector<bool>{false, false, false, true, true, true, true, true, true}));

    menu.SetEnabled(TrayMenuItem::Masq1, true);
    menu.SetEnabled(TrayMenuItem::Exit1, false);
    EXPECT_TRUE(menu.IsEnabled(TrayMenuItem::Masq1));
    EXPECT_FALSE(menu.IsEnabled(TrayMenuItem::Exit1));
    EXPECT_FALSE(GetMenuState(handle, 0, MF_BYPOSITION) & MF_GRAYED);
}

TEST(TrayPopupMenu, AnswersItsOwnerDrawAndKeyMessages) {
    TrayPopupMenu menu(SystemSkin());
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, kTrayMenu[4].commandId, 0, 0, 4};
    EXPECT_EQ(menu.HandleOwnerMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), TRUE);
    EXPECT_EQ(measure.itemHeight, 21u);
    EXPECT_GT(measure.itemWidth, 26u + 30u);

    EXPECT_EQ(MenuChar(menu, 'e'), MAKELRESULT(8, MNC_EXECUTE));
    EXPECT_EQ(MenuChar(menu, 'P'), MAKELRESULT(6, MNC_EXECUTE));  // "Select I&P" is closed at start
    EXPECT_EQ(HIWORD(MenuChar(menu, 'm')), MNC_IGNORE);
    menu.SetEnabled(TrayMenuItem::SelectIP1, true);
    EXPECT_EQ(MenuChar(menu, 'p'), MAKELRESULT(2, MNC_SELECT));

    UniqueMenu other(CreatePopupMenu());
    EXPECT_FALSE(menu.HandleOwnerMessage(WM_MENUCHAR, 'e', reinterpret_cast<LPARAM>(other.Get())));
    MEASUREITEMSTRUCT button{ODT_BUTTON, 7, 0, 0, 0, 0};
    EXPECT_FALSE(menu.HandleOwnerMessage(WM_MEASUREITEM, 7, reinterpret_cast<LPARAM>(&button)));
}

TEST(TrayPopupMenu, KeyboardChoosesAnItemAndTheOwnerGetsItsCommand) {
    struct Case {
        std::vector<WORD> keys;
        UINT command;
    };
    const Case cases[] = {
        {{'O'}, kTrayMenu[4].commandId},  // a mnemonic
        {{VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, kTrayMenu[4].commandId},
        {{VK_DOWN, VK_RETURN}, 0},  // a closed item does nothing
        {{VK_ESCAPE}, 0},
    };
    for (const Case& c : cases) {
        TrayPopupMenu menu(SystemSkin());
        MenuOwner owner(menu);
        std::thread typist = TypeIntoMenu(c.keys);
        menu.Popup(owner.Handle(), POINT{100, 100});
        typist.join();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        EXPECT_EQ(owner.command, c.command) << c.keys.size();
    }
}
