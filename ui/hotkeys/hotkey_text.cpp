#include "ui/hotkeys/hotkey_text.h"

#include <array>

namespace {

// By modifier value; 0 (no modifier) is not accepted.
constexpr std::array<const char*, 8> kPrefixes = {
    nullptr,    "Alt + ",         "Ctrl + ",         "Ctrl + Alt + ",
    "Shift + ", "Shift + Alt + ", "Ctrl + Shift + ", "Ctrl + Shift + Alt + ",
};

constexpr int kF1 = 112, kF12 = 123;

// Digits and letters have their own character as virtual-key code.
std::optional<std::string> KeyText(int virtualKey) {
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        return std::string(1, char(virtualKey));
    if (virtualKey >= kF1 && virtualKey <= kF12)
        return std::string("F").append(std::to_string(virtualKey - kF1 + 1));
    return std::nullopt;
}

}  // namespace

int ModifiersOf(bool alt, bool ctrl, bool shift) {
    return (alt ? kModAlt : 0) | (ctrl ? kModCtrl : 0) | (shift ? kModShift : 0);
}

std::optional<std::string> HotKeyText(const HotKey& hotkey) {
    if (hotkey.modifiers <= 0 || hotkey.modifiers >= int(kPrefixes.size()))
        return std::nullopt;
    std::optional<std::string> key = KeyText(hotkey.virtualKey);
    if (!key)
        return std::nullopt;
    return std::string(kPrefixes[size_t(hotkey.modifiers)]).append(*key);
}
