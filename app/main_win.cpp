// The program's entry: one instance only, the main form, the start-up sequence, the message loop.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "app/app_texts.h"
#include "app/frm_main.h"
#include "app/later_subsystems.h"
#include "app/system_info_win.h"
#include "proxy/registry_win.h"
#include "proxy/shell_win.h"
#include "settings/folder_system_win.h"
#include "settings/report_clock_win.h"
#include "ui/skinned_message_boxes.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The mutex is never released: the system drops it when the process ends.
    CreateMutexA(nullptr, TRUE, kMutexName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        MessageBoxA(nullptr, kAlreadyRunning, kAlreadyRunningCaption, MB_OK | MB_ICONWARNING);
        return 0;
    }

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);

    ProgramValues values;
    WinFolderSystem folders;
    WinRegistry registry;
    WinShell shell;
    WinReportClock clock;
    WinSystemInfo system;
    SkinnedMessageBoxes messages(values);
    LaterSubsystems later;
    TfrmMain frmMain(values,
                     MainPorts{folders, registry, shell, messages, clock, system, later, later, later, later, later});
    if (!frmMain.Create())
        return 0;

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (frmMain.PreTranslateMessage(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
