#include "app/options_controls_win.h"

#include "common/text_lines.h"
#include "resources/resource_ids.h"
#include "ui/toolkit/window_text_win.h"

namespace {

void SetCheck(HWND control, bool checked) {
    SendMessageA(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool IsChecked(HWND control) {
    return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

const std::pair<int, HotKey HotkeySettings::*> kHotkeyEdits[] = {
    {IDC_HKE_HIDE, &HotkeySettings::hide},
    {IDC_HKE_POP, &HotkeySettings::popup},
    {IDC_HKE_SELECT, &HotkeySettings::select},
};

}  // namespace

void ShowOptionsOn(OptionsPages& pages, const Options& options) {
    auto general = [&](int id) { return pages.Item(Page::General, id); };
    SetCheck(general(IDC_CHK_START_WITH_WINDOWS), options.startWithWindows);
    SetCheck(general(IDC_CHK_COUNTRY), options.autoSelectCountry);
    SetCheck(general(IDC_CHK_IE), options.browserIE);
    SetCheck(general(IDC_CHK_FIREFOX), options.browserFirefox);
    // Like a radio group's item index: a stored mode above the last item selects the last one.
    SetCheck(general(IDC_RDG_FIREFOX_PLUGIN), options.firefoxControlMode == kPluginMode);
    SetCheck(general(IDC_RDG_FIREFOX_RESTART), options.firefoxControlMode >= kRestartFirefox);
    SetWindowTextA(pages.Item(Page::Bypass, IDC_MEM_BYPASS), JoinLines(options.bypass).c_str());
    SetCheck(pages.Item(Page::HotKey, IDC_CHK_HOTKEY), options.hotkeyEnable);
    for (const auto& [id, hotkey] : kHotkeyEdits)
        pages.HotkeyEdit(id).SetHotKey(options.hotkeys.*hotkey);
}

Options ReadOptionsFrom(const OptionsPages& pages) {
    auto general = [&](int id) { return pages.Item(Page::General, id); };
    Options options;
    options.startWithWindows = IsChecked(general(IDC_CHK_START_WITH_WINDOWS));
    options.autoSelectCountry = IsChecked(general(IDC_CHK_COUNTRY));
    options.browserIE = IsChecked(general(IDC_CHK_IE));
    options.browserFirefox = IsChecked(general(IDC_CHK_FIREFOX));
    options.firefoxControlMode = IsChecked(general(IDC_RDG_FIREFOX_PLUGIN))    ? kPluginMode
                                 : IsChecked(general(IDC_RDG_FIREFOX_RESTART)) ? kRestartFirefox
                                                                               : kNoFirefoxMode;
    options.bypass = SplitLines(WindowText(pages.Item(Page::Bypass, IDC_MEM_BYPASS)));
    options.hotkeyEnable = IsChecked(pages.Item(Page::HotKey, IDC_CHK_HOTKEY));
    for (const auto& [id, hotkey] : kHotkeyEdits)
        options.hotkeys.*hotkey = pages.HotkeyEdit(id).GetHotKey();
    return options;
}
