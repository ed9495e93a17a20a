#include "ui/hotkeys/global_hotkeys.h"

#include "common/product_name.h"
#include "settings/options.h"
#include "settings/settings_keys.h"
#include "settings/settings_store.h"
#include "ui/hotkeys/hotkey_registrar.h"
#include "ui/hotkeys/hotkey_text.h"
#include "ui/hotkeys/hotkey_texts.h"
#include "ui/messages/message_boxes.h"
#include "ui/tray/status_display.h"

namespace {

// hkeHide, hkePop, hkeSelect: the order of registration and of the comparisons on WM_HOTKEY.
struct HotkeyEdit {
    HotKey HotkeySettings::*hotkey;
    const char* atomName;
};
const std::array<HotkeyEdit, 3> kEdits = {{
    {&HotkeySettings::hide, "hkehide"},
    {&HotkeySettings::popup, "hkepop"},
    {&HotkeySettings::select, "hkeselect"},
}};
// The identifiers are made in the order hide, select, popup.
constexpr size_t kAtomOrder[] = {0, 2, 1};

std::string RegisterFailedText(const std::string& failed) {
    const std::string_view format = ui_text::kRegisterHotkeyFailed;
    const size_t slot = format.find("%s");
    return std::string(format.substr(0, slot)).append(failed).append(format.substr(slot + 2));
}

}  // namespace

GlobalHotkeys::GlobalHotkeys(HotkeyPorts ports, HotkeyCalls calls) : ports_(ports), calls_(std::move(calls)) {}

void GlobalHotkeys::InitHotkeys() {
    for (size_t edit : kAtomOrder)
        ids_[edit] = ports_.registrar.AddAtom(kEdits[edit].atomName);
    EnableAllHotKeys();
}

void GlobalHotkeys::DisableAllHotkeys() {
    for (int id : ids_)
        if (id)
            ports_.registrar.Unregister(id);
}

bool GlobalHotkeys::EnableAllHotKeys() {
    if (!ports_.settings.ReadBool(kHotKey, kEnable, true))
        return false;
    const HotkeySettings hotkeys = LoadHotkey(ports_.settings);
    std::string failed;
    for (size_t edit = 0; edit < kEdits.size(); ++edit) {
        const HotKey& hotkey = hotkeys.*kEdits[edit].hotkey;
        // A combination the edit does not accept shows as an empty edit, which is skipped.
        const std::optional<std::string> text = HotKeyText(hotkey);
        if (text && !ports_.registrar.Register(ids_[edit], hotkey))
            failed.append(*text).append(" ");
    }
    if (failed.empty())
        return true;
    ports_.messages.ShowMessageBox(kProductName, RegisterFailedText(failed), MessageKind::Error, kButtonsOK);
    return false;
}

void GlobalHotkeys::WMHotKey(int id) {
    using Action = void (GlobalHotkeys::*)();
    constexpr std::array<Action, 3> kActions = {&GlobalHotkeys::HideOrStop, &GlobalHotkeys::PopupMenu,
                                                &GlobalHotkeys::SelectIP};
    for (size_t edit = 0; edit < ids_.size(); ++edit) {
        if (ids_[edit] && ids_[edit] == id)
            return (this->*kActions[edit])();
    }
}

void GlobalHotkeys::HideOrStop() {
    ClickIfEnabled(ports_.menu.IsMenuItemEnabled(TrayMenuItem::StopMasq1) ? TrayMenuItem::StopMasq1
                                                                          : TrayMenuItem::Masq1);
}

void GlobalHotkeys::PopupMenu() {
    calls_.popupMenu();
}

void GlobalHotkeys::SelectIP() {
    ClickIfEnabled(TrayMenuItem::SelectIP1);
}

// A click on a disabled item does nothing.
void GlobalHotkeys::ClickIfEnabled(TrayMenuItem item) {
    if (ports_.menu.IsMenuItemEnabled(item))
        calls_.clickMenuItem(item);
}
