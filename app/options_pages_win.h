// The options dialog's page control: the four pages ("&General", "&Bypass", "&HotKey",
// "&About") over the tab control, the tabs drawn in the skin's colours, and the keys that switch
// pages (Alt + a page's mnemonic, Ctrl+Tab and Ctrl+Shift+Tab).
#pragma once

#include <windows.h>

#include <array>

#include "app/options_page_win.h"
#include "ui/hotkeys/hotkey_edit_win.h"

class SkinPaint;

enum class Page { General = 0, Bypass = 1, HotKey = 2, About = 3 };

class OptionsPages {
  public:
    OptionsPages();

    // Inserts the tabs into the form's page control and places the pages over it.
    void Create(HWND form);
    void SetSkin(const SkinPaint* skin);
    void Select(Page page);

    HWND Handle(Page page) const { return pages_[int(page)].Handle(); }
    HWND Item(Page page, int id) const { return pages_[int(page)].Item(id); }

    // The HotKey page's edits hkeHide, hkePop and hkeSelect, by control id.
    THotKeyEdit& HotkeyEdit(int id);
    const THotKeyEdit& HotkeyEdit(int id) const;

    // True when the message was a page key and switched pages.
    bool HandlePageKey(const MSG& message);
    // True when a hotkey edit took the key.
    bool TakeHotkeyKey(const MSG& message);
    // The tab control's TCN_SELCHANGE.
    void OnSelectionChange();
    void DrawTab(const DRAWITEMSTRUCT& item) const;

  private:
    void SelectIndex(int index);
    static size_t HotkeyEditIndex(int id);

    std::array<OptionsPage, 4> pages_;
    std::array<THotKeyEdit, 3> hotkeyEdits_;
    HWND tabs_ = nullptr;
    const SkinPaint* skin_ = nullptr;
    int current_ = 0;
};
