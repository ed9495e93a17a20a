// THotKeyEdit: the edit box of one hotkey on the options dialog. It is read-only and flat; a key
// pressed in it becomes its combination together with the modifiers held (Alt, Ctrl, Shift).
// A combination the program accepts shows as text ("Ctrl + Shift + F5") on sky blue; any other
// empties the edit, sets both values to 0 and turns it red. Values set from the settings are
// shown the same way.
#pragma once

#include <windows.h>

#include <optional>

#include "common/unique_handle_win.h"
#include "settings/options.h"

class THotKeyEdit {
  public:
    static constexpr COLORREF kKeyValidColor = RGB(0xA6, 0xCA, 0xF0);  // sky blue
    static constexpr COLORREF kKeyInvalidColor = RGB(0xFF, 0x00, 0x00);

    THotKeyEdit();

    // Takes over `edit`, an edit control of the page's template.
    void Attach(HWND edit);
    HWND Handle() const { return edit_; }

    void SetHotKey(const HotKey& hotkey);
    // VirtualKeyValue and KeyModValue; both 0 when the combination was not accepted.
    const HotKey& GetHotKey() const { return hotkey_; }
    bool HasValidKeySet() const { return valid_; }

    // A key message from the message loop, before it is translated; true when the edit took it.
    // Tab still moves the focus on.
    bool TakeKey(const MSG& message);
    // The answer to its parent's WM_CTLCOLORSTATIC (a read-only edit's) when it is about this
    // edit; nothing otherwise.
    std::optional<LRESULT> Colors(UINT message, WPARAM wParam, LPARAM lParam) const;

  private:
    HWND edit_ = nullptr;
    HotKey hotkey_;
    bool valid_ = false;
    UniqueGdi<HBRUSH> validBrush_;
    UniqueGdi<HBRUSH> invalidBrush_;
};
