#include "app/options_pages_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <iterator>

#include "resources/resource_ids.h"
#include "ui/toolkit/mnemonic.h"
#include "ui/toolkit/skin_paint_win.h"

namespace {

struct PageInfo {
    int templateId;
    const char* caption;
};

const PageInfo kPages[] = {
    {IDD_PAGE_GENERAL, "&General"},
    {IDD_PAGE_BYPASS, "&Bypass"},
    {IDD_PAGE_HOTKEY, "&HotKey"},
    {IDD_PAGE_ABOUT, "&About"},
};
constexpr int kPageCount = int(std::size(kPages));

constexpr std::array<int, 3> kHotkeyEditIds = {IDC_HKE_HIDE, IDC_HKE_POP, IDC_HKE_SELECT};

}  // namespace

OptionsPages::OptionsPages()
    : pages_{OptionsPage(kPages[0].templateId), OptionsPage(kPages[1].templateId), OptionsPage(kPages[2].templateId),
             OptionsPage(kPages[3].templateId)} {}

void OptionsPages::Create(HWND form) {
    tabs_ = GetDlgItem(form, IDC_PAGES);
    SetWindowLongPtrA(tabs_, GWL_STYLE, GetWindowLongPtrA(tabs_, GWL_STYLE) | WS_CLIPSIBLINGS);
    for (int i = 0; i < kPageCount; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(kPages[i].caption);
        SendMessageA(tabs_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }

    RECT area{};
    GetWindowRect(tabs_, &area);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&area), 2);
    SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (OptionsPage& page : pages_) {
        page.Create(form);
        // Above the page control, so that it never paints over the page.
        SetWindowPos(page.Handle(), HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOACTIVATE);
    }
    SelectIndex(0);

    for (size_t i = 0; i < hotkeyEdits_.size(); ++i)
        hotkeyEdits_[i].Attach(Item(Page::HotKey, kHotkeyEditIds[i]));
    pages_[int(Page::HotKey)].ownColors = [this](UINT message, WPARAM wParam, LPARAM lParam) {
        std::optional<LRESULT> colors;
        for (const THotKeyEdit& edit : hotkeyEdits_)
            if (!colors)
                colors = edit.Colors(message, wParam, lParam);
        return colors;
    };
}

THotKeyEdit& OptionsPages::HotkeyEdit(int id) {
    return hotkeyEdits_.at(HotkeyEditIndex(id));
}

const THotKeyEdit& OptionsPages::HotkeyEdit(int id) const {
    return hotkeyEdits_.at(HotkeyEditIndex(id));
}

size_t OptionsPages::HotkeyEditIndex(int id) {
    return size_t(std::find(kHotkeyEditIds.begin(), kHotkeyEditIds.end(), id) - kHotkeyEditIds.begin());
}

bool OptionsPages::TakeHotkeyKey(const MSG& message) {
    return std::any_of(hotkeyEdits_.begin(), hotkeyEdits_.end(),
                       [&](THotKeyEdit& edit) { return edit.TakeKey(message); });
}

void OptionsPages::SetSkin(const SkinPaint* skin) {
    skin_ = skin;
    for (OptionsPage& page : pages_)
        page.SetSkin(skin);
}

void OptionsPages::Select(Page page) {
    SelectIndex(int(page));
}

void OptionsPages::SelectIndex(int index) {
    current_ = index;
    SendMessageA(tabs_, TCM_SETCURSEL, index, 0);
    for (int i = 0; i < kPageCount; ++i)
        ShowWindow(pages_[i].Handle(), i == index ? SW_SHOW : SW_HIDE);
}

bool OptionsPages::HandlePageKey(const MSG& message) {
    if (message.message == WM_SYSCHAR) {
        const char typed = char(std::toupper(int(message.wParam & 0xFF)));
        for (int page = 0; page < kPageCount; ++page) {
            if (MnemonicOf(kPages[page].caption) == typed) {
                SelectIndex(page);
                return true;
            }
        }
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
        const int step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
        SelectIndex((current_ + step + kPageCount) % kPageCount);
        return true;
    }
    return false;
}

void OptionsPages::OnSelectionChange() {
    SelectIndex(int(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0)));
}

void OptionsPages::DrawTab(const DRAWITEMSTRUCT& item) const {
    const Skin& colors = skin_->Colors();
    const bool selected = item.itemState & ODS_SELECTED;
    RECT box = item.rcItem;
    FillRect(item.hDC, &box, skin_->Brush(selected ? colors.titleBar : colors.face));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, ToColorRef(selected ? colors.titleText : colors.text));
    HGDIOBJ oldFont = SelectObject(item.hDC, skin_->TextFont());
    DrawTextA(item.hDC, kPages[item.itemID].caption, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(item.hDC, oldFont);
}
