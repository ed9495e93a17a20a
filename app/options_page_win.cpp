#include "app/options_page_win.h"

#include "ui/toolkit/skin_paint_win.h"

bool OptionsPage::Create(HWND owner) {
    return CreateDialogFrom(MAKEINTRESOURCEA(templateId_), owner);
}

std::optional<LRESULT> OptionsPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (ownColors) {
        if (auto colors = ownColors(message, wParam, lParam))
            return colors;
    }
    if (skin_) {
        if (auto colors = skin_->ControlColors(message, wParam))
            return colors;
    }
    switch (message) {
        case WM_INITDIALOG:
            return FALSE;  // the main form decides where the focus goes
        case WM_COMMAND:
        case WM_NOTIFY:
            return SendMessageA(GetParent(Handle()), message, wParam, lParam);
        default:
            return std::nullopt;
    }
}
