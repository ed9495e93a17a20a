#include "ui/hotkeys/hotkey_text.h"

#include <gtest/gtest.h>

namespace {

TEST(HotKeyText, AcceptedCombinationsShowTheirModifiersInTheOrderCtrlShiftAlt) {
    const int altCtrlShift = ModifiersOf(true, true, true);
    EXPECT_EQ(altCtrlShift, 7);
    const struct {
        HotKey hotkey;
        const char* text;
    } cases[] = {
        {{'Z', altCtrlShift}, "Ctrl + Shift + Alt + Z"},
        {{116, ModifiersOf(false, true, true)}, "Ctrl + Shift + F5"},
        {{'W', ModifiersOf(false, true, false)}, "Ctrl + W"},
        {{'0', 1}, "Alt + 0"},
        {{'9', 3}, "Ctrl + Alt + 9"},
        {{'A', 4}, "Shift + A"},
        {{112, 5}, "Shift + Alt + F1"},
        {{123, 2}, "Ctrl + F12"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HotKeyText(c.hotkey), c.text) << c.text;
}

TEST(HotKeyText, NoModifierOrAnotherKeyIsNotAccepted) {
    const HotKey refused[] = {
        {'W', 0},  // a letter alone
        {32, 2},   // Space
        {124, 2},  // F13
        {17, 2},   // Ctrl alone: the modifier is the key
        {'W', 8},  // a modifier bit RegisterHotKey has but the edit does not show (Win)
        {'a', 2},  // no virtual key: lower case letters are numpad and function codes
        {'/', 2},  // beside the digits
        {111, 2},  // beside F1
        {0, 0},    // an edit left empty
        {'W', -1},
    };
    for (const HotKey& hotkey : refused)
        EXPECT_EQ(HotKeyText(hotkey), std::nullopt) << hotkey.virtualKey << " " << hotkey.modifiers;
}

}  // namespace
