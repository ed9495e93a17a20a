// The program's entry: a stage of the watch when the command line asks for one; otherwise one
// instance only, its watch, the program composed and started, and the message loop.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "app/app_texts.h"
#include "app/masq_program_win.h"
#include "app/proxy_watch_win.h"
#include "common/product_name.h"

namespace {

// The application's error display: what no handler caught, in a plain system message box.
void ShowError(const std::exception& error) {
    MessageBoxA(nullptr, error.what(), kProductName, MB_OK | MB_ICONERROR);
}

// False, after telling the user, when another copy runs. The mutex is never released: the
// system drops it when the process ends.
bool TakeSingleInstance() {
    CreateMutexA(nullptr, TRUE, kMutexName);
    if (GetLastError() != ERROR_ALREADY_EXISTS)
        return true;
    MessageBoxA(nullptr, kAlreadyRunning, kAlreadyRunningCaption, MB_OK | MB_ICONWARNING);
    return false;
}

void PrepareWindows() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);
    WindowBase::SetErrorDisplay(ShowError);
}

void RunMessageLoop(TfrmMain& frmMain) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
#ifdef MASQ_TEST_CRASH
        // The test build's deliberate crash (tests/e2e/fixtures): a write through a null pointer
        // on the GUI thread, as a fault in a handler would make.
        if (message.message == RegisterWindowMessageA("MasqNG test crash")) {
            volatile int* volatile nowhere = nullptr;
            *nowhere = 1;
        }
#endif
        if (frmMain.PreTranslateMessage(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    if (const std::optional<WatchRequest> watch = ParseWatchArguments(arguments))
        return RunProxyWatch(*watch);
    if (!TakeSingleInstance())
        return 0;
    StartProxyWatch();
    PrepareWindows();
    MasqProgram program(ShowError);
    if (program.Start())
        RunMessageLoop(program.MainForm());
    return 0;
}
