#include "ui/toolkit/dialog_frame_win.h"

#include "ui/toolkit/dpi_scale.h"

RECT ScaleToDpi(const RECT& designBox, int dpi) {
    return RECT{ScaleToDpi(int(designBox.left), dpi), ScaleToDpi(int(designBox.top), dpi),
                ScaleToDpi(int(designBox.right), dpi), ScaleToDpi(int(designBox.bottom), dpi)};
}

HWND CreateDialogControl(HWND dialog,
                         const char* windowClass,
                         const char* text,
                         DWORD style,
                         const RECT& box,
                         int id,
                         HFONT font) {
    HWND control = CreateWindowExA(0, windowClass, text, WS_CHILD | style, box.left, box.top, box.right - box.left,
                                   box.bottom - box.top, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void CentreDialog(HWND dialog, int clientWidth, int clientHeight) {
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(dialog, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}
