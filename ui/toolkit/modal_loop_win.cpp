#include "ui/toolkit/modal_loop_win.h"

#include "ui/toolkit/disabled_thread_windows_win.h"

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
