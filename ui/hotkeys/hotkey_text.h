// How a hotkey edit shows a combination, and which combinations the program accepts: at least
// one of Alt, Ctrl and Shift, and a digit, a letter or F1-F12. Shown as the modifiers in the
// order Ctrl, Shift, Alt, then the key: "Ctrl + Shift + F5".
#pragma once

#include <optional>
#include <string>

#include "settings/options.h"

inline constexpr int kModAlt = 1, kModCtrl = 2, kModShift = 4;

// The modifier bits of the keys held down.
int ModifiersOf(bool alt, bool ctrl, bool shift);

// The text of an accepted combination; nothing for any other.
std::optional<std::string> HotKeyText(const HotKey& hotkey);
