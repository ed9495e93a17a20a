#include "ui/hotkeys/hotkey_edit_win.h"

#include "ui/hotkeys/hotkey_text.h"

namespace {

bool IsDown(int virtualKey) {
    return GetKeyState(virtualKey) < 0;
}

}  // namespace

THotKeyEdit::THotKeyEdit()
    : validBrush_(CreateSolidBrush(kKeyValidColor)), invalidBrush_(CreateSolidBrush(kKeyInvalidColor)) {}

void THotKeyEdit::Attach(HWND edit) {
    edit_ = edit;
    // Flat: the thin border instead of the sunken 3-D edge the dialog manager gives edits.
    SetWindowLongPtrA(edit, GWL_EXSTYLE, GetWindowLongPtrA(edit, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
    SetWindowLongPtrA(edit, GWL_STYLE, GetWindowLongPtrA(edit, GWL_STYLE) | WS_BORDER | ES_READONLY);
    SetWindowPos(edit, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
}

void THotKeyEdit::SetHotKey(const HotKey& hotkey) {
    const std::optional<std::string> text = HotKeyText(hotkey);
    valid_ = text.has_value();
    hotkey_ = valid_ ? hotkey : HotKey{};
    SetWindowTextA(edit_, text.value_or("").c_str());
    InvalidateRect(edit_, nullptr, TRUE);
}

bool THotKeyEdit::TakeKey(const MSG& message) {
    if (message.hwnd != edit_ || message.wParam == VK_TAB)
        return false;
    switch (message.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            SetHotKey({int(message.wParam), ModifiersOf(IsDown(VK_MENU), IsDown(VK_CONTROL), IsDown(VK_SHIFT))});
            return true;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            // Nor does a lone Alt open the window menu when it comes up.
            return true;
        default:
            return false;
    }
}

std::optional<LRESULT> THotKeyEdit::Colors(UINT message, WPARAM wParam, LPARAM lParam) const {
    if ((message != WM_CTLCOLORSTATIC && message != WM_CTLCOLOREDIT) || reinterpret_cast<HWND>(lParam) != edit_)
        return std::nullopt;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, valid_ ? kKeyValidColor : kKeyInvalidColor);
    return reinterpret_cast<LRESULT>(valid_ ? validBrush_.Get() : invalidBrush_.Get());
}
