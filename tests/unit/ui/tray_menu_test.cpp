#include "ui/tray/tray_menu.h"

#include <gtest/gtest.h>

#include "ui/toolkit/mnemonic.h"

TEST(TrayMenu, NineItemsWithTheSessionCommandsClosedAtStart) {
    std::vector<std::string> captions;
    std::vector<bool> enabled;
    for (const TrayMenuEntry& entry : kTrayMenu) {
        captions.push_back(entry.caption);
        enabled.push_back(entry.enabledAtStart);
        EXPECT_EQ(ItemOfCommand(entry.commandId), entry.item);
        EXPECT_EQ(&EntryOf(entry.item), &entry);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"&Masq", "&Stop Masq", "Select I&P", "SEE my &IP...", "&Options...",
                                                  "&Report...", "Hel&p...", "&About...", "&Exit"}));
    EXPECT_EQ(enabled, (std::vector<bool>{false, false, false, true, true, true, true, true, true}));
    EXPECT_EQ(ItemOfCommand(0), std::nullopt);
}

TEST(Mnemonic, FindsTheMarkedKeyAndTheShownText) {
    EXPECT_EQ(MnemonicOf("Select I&P"), 'P');
    EXPECT_EQ(MnemonicOf("Hel&p..."), 'P');
    EXPECT_EQ(MnemonicOf("R&&D"), '\0');
    EXPECT_EQ(MnemonicOf("R&&D &go"), 'G');
    EXPECT_EQ(MnemonicOf("plain"), '\0');
    EXPECT_EQ(WithoutMnemonics("R&&D &go"), "R&D go");
    EXPECT_EQ(WithoutMnemonics("&Yes"), "Yes");
}

TEST(TrayMenu, TypedKeysRunTheOnlyMatchOrStepThroughSeveral) {
    std::vector<MenuKeyItem> items;
    for (const TrayMenuEntry& entry : kTrayMenu)
        items.push_back({entry.caption, entry.enabledAtStart});
    using Action = MenuKeyAnswer::Action;

    EXPECT_EQ(AnswerMenuKey(items, 'e', -1), (MenuKeyAnswer{Action::Execute, 8}));
    EXPECT_EQ(AnswerMenuKey(items, 'O', 2), (MenuKeyAnswer{Action::Execute, 4}));
    EXPECT_EQ(AnswerMenuKey(items, 'z', 0), MenuKeyAnswer{});
    // "Select I&P" is closed at start, so P runs "Hel&p...".
    EXPECT_EQ(AnswerMenuKey(items, 'p', -1), (MenuKeyAnswer{Action::Execute, 6}));
    // A closed item never answers.
    EXPECT_EQ(AnswerMenuKey(items, 'm', -1), MenuKeyAnswer{});

    items[2].enabled = true;
    EXPECT_EQ(AnswerMenuKey(items, 'p', -1), (MenuKeyAnswer{Action::Select, 2}));
    EXPECT_EQ(AnswerMenuKey(items, 'p', 2), (MenuKeyAnswer{Action::Select, 6}));
    EXPECT_EQ(AnswerMenuKey(items, 'p', 6), (MenuKeyAnswer{Action::Select, 2}));
}
