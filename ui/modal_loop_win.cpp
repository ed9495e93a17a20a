#include "ui/modal_loop_win.h"

namespace {

BOOL CALLBACK DisableWindow(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

}  // namespace

DisabledThreadWindows::DisabledThreadWindows() {
    EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&windows_));
}

DisabledThreadWindows::~DisabledThreadWindows() {
    for (HWND window : windows_)
        EnableWindow(window, TRUE);
}

void RunModalLoop(HWND dialog,
                  const std::function<bool()>& finished,
                  const std::function<bool(const MSG&)>& previewKey) {
    DisabledThreadWindows others;
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    MSG msg;
    while (!finished() && IsWindow(dialog)) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));  // the caller's loop must see it
            break;
        }
        if ((previewKey && previewKey(msg)) || IsDialogMessageA(dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
