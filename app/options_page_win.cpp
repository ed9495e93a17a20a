#include "app/options_page.h"

#include "ui/skin_paint.h"

bool OptionsPage::Create(HWND owner) {
    return CreateModeless(MAKEINTRESOURCEA(templateId_), owner);
}

INT_PTR OptionsPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return FALSE;  // the main form decides where the focus goes
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
            return skin_ ? reinterpret_cast<INT_PTR>(skin_->ControlColors(message, reinterpret_cast<HDC>(wParam)))
                         : FALSE;
        case WM_COMMAND:
        case WM_NOTIFY: {
            LRESULT result = SendMessageA(GetParent(Handle()), message, wParam, lParam);
            SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, result);
            return TRUE;
        }
        default:
            return FALSE;
    }
}
