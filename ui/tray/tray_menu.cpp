#include "ui/tray/tray_menu.h"

#include <algorithm>
#include <cctype>

#include "ui/toolkit/mnemonic.h"
#include "ui/tray/tray_texts.h"

const std::array<TrayMenuEntry, 9> kTrayMenu = {{
    {TrayMenuItem::Masq1, 4001, ui_text::kMenuMasq, false},
    {TrayMenuItem::StopMasq1, 4002, ui_text::kMenuStopMasq, false},
    {TrayMenuItem::SelectIP1, 4003, ui_text::kMenuSelectIP, false},
    {TrayMenuItem::SeeMyIP1, 4004, ui_text::kMenuSeeMyIP, true},
    {TrayMenuItem::Options1, 4005, ui_text::kMenuOptions, true},
    {TrayMenuItem::Report1, 4006, ui_text::kMenuReport, true},
    {TrayMenuItem::Help1, 4007, ui_text::kMenuHelp, true},
    {TrayMenuItem::About1, 4008, ui_text::kMenuAbout, true},
    {TrayMenuItem::Exit1, 4009, ui_text::kMenuExit, true},
}};

const TrayMenuEntry& EntryOf(TrayMenuItem item) {
    return *std::find_if(kTrayMenu.begin(), kTrayMenu.end(), [item](const auto& entry) { return entry.item == item; });
}

std::optional<TrayMenuItem> ItemOfCommand(unsigned commandId) {
    auto found = std::find_if(kTrayMenu.begin(), kTrayMenu.end(),
                              [commandId](const auto& entry) { return entry.commandId == commandId; });
    if (found == kTrayMenu.end())
        return std::nullopt;
    return found->item;
}

MenuKeyAnswer AnswerMenuKey(const std::vector<MenuKeyItem>& items, char key, int selected) {
    const char wanted = char(std::toupper(static_cast<unsigned char>(key)));
    std::vector<int> matches;
    for (int i = 0; i < int(items.size()); ++i) {
        if (items[i].enabled && wanted != '\0' && MnemonicOf(items[i].caption) == wanted)
            matches.push_back(i);
    }
    if (matches.empty())
        return {};
    if (matches.size() == 1)
        return {MenuKeyAnswer::Action::Execute, matches.front()};
    auto next = std::find_if(matches.begin(), matches.end(), [selected](int i) { return i > selected; });
    return {MenuKeyAnswer::Action::Select, next != matches.end() ? *next : matches.front()};
}
