// The program's entry and its composition root: one instance only, the ports and subsystems
// built and wired, the start-up sequence, the message loop.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "app/app_texts.h"
#include "app/crash_guard_win.h"
#include "app/frm_main_win.h"
#include "app/main_logic.h"
#include "app/proxy_watch_win.h"
#include "common/product_name.h"
#include "directory/directory_request.h"
#include "directory/directory_texts.h"
#include "directory/fallback_download_win.h"
#include "directory/frm_select_ip_win.h"
#include "directory/http_text_win.h"
#include "directory/identity_sources_win.h"
#include "directory/node_selection.h"
#include "directory/random_pick.h"
#include "directory/reply_parser.h"
#include "directory/reply_processing.h"
#include "directory/system_language_win.h"
#include "platform/folder_system_win.h"
#include "platform/os_info_win.h"
#include "platform/registry_win.h"
#include "platform/shell_win.h"
#include "proxy/browser_files_win.h"
#include "proxy/browser_proxy_configuration.h"
#include "proxy/connection_options_win.h"
#include "proxy/dial_up_connections_win.h"
#include "proxy/window_titles_win.h"
#include "settings/profile_settings_store_win.h"
#include "settings/report_clock_win.h"
#include "settings/report_file_win.h"
#include "settings/report_log.h"
#include "tunnel/tunnel_process_win.h"
#include "tunnel/tunnel_session.h"
#include "ui/advice/browser_tour.h"
#include "ui/advice/skinned_unblock_dialog.h"
#include "ui/advice/unblock_advisor.h"
#include "ui/hotkeys/global_hotkeys.h"
#include "ui/hotkeys/hotkey_registrar_win.h"
#include "ui/messages/silent_message_boxes.h"
#include "ui/messages/skinned_message_boxes.h"
#include "ui/tray/masq_status.h"
#include "ui/tray/tray_win.h"
#include "update/update_dialog_win.h"

namespace {

// The application's error display: what no handler caught, in a plain system message box.
void ShowError(const std::exception& error) {
    MessageBoxA(nullptr, error.what(), kProductName, MB_OK | MB_ICONERROR);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    if (const std::optional<WatchRequest> watch = ParseWatchArguments(arguments))
        return RunProxyWatch(*watch);
    // The mutex is never released: the system drops it when the process ends.
    CreateMutexA(nullptr, TRUE, kMutexName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        MessageBoxA(nullptr, kAlreadyRunning, kAlreadyRunningCaption, MB_OK | MB_ICONWARNING);
        return 0;
    }
    StartProxyWatch();
    const DWORD processId = GetCurrentProcessId();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);
    WindowBase::SetErrorDisplay(ShowError);

    // Shared values and services.
    ProgramValues values;
    SessionValues sessionValues;
    WinFolderSystem folders;
    WinRegistry registry;
    WinShell shell;
    WinOsInfo os;
    WinReportClock clock;
    WinReportFile reportFile;
    ReportLog log(reportFile, clock);
    ProfileSettingsStore settings;
    ProfileSettingsStore userProxyRecords;
    ProfileSettingsStore siteFile;
    SkinnedMessageBoxes messages(values);
    MasqTray tray;
    MasqStatus status(tray);
    TfrmMain frmMain(tray);

    // Subsystems.
    WinConnectionOptions connectionOptions;
    WinDialUpConnections dialUp;
    WinBrowserFiles browserFiles;
    WinWindowTitles windowTitles;
    BrowserProxyConfiguration browserProxy(
        values, sessionValues,
        BrowserProxyPorts{connectionOptions, dialUp, browserFiles, windowTitles, settings, userProxyRecords, messages},
        processId);
    WinHotkeyRegistrar hotkeyRegistrar;
    // A hotkey works the menu as its click does, on the items' commands the main form routes.
    GlobalHotkeys hotkeys(
        HotkeyPorts{hotkeyRegistrar, settings, messages, tray},
        HotkeyCalls{[&](TrayMenuItem item) { frmMain.routes.menuCommand(item); }, [&] { tray.PopupMenu(); }});
    auto showTour = [&] { ShowTour(values.Site, TourPorts{registry, shell, messages}); };
    SkinnedUnblockDialog unblockDialog(values);
    // Its Reconnect asks the directory again; the directory is built below.
    std::function<void()> silentUpdate;
    UnblockAdvisor unblockAdvisor(values, UnblockPorts{unblockDialog, registry, shell}, [&] { silentUpdate(); });
    WinTunnelProcess tunnelProcess;
    TunnelSession tunnel(
        values, sessionValues,
        TunnelPorts{tunnelProcess, frmMain.timRead, frmMain.timReset, folders, messages, log, status, browserProxy},
        TunnelCalls{[&](UnblockAdvice kind) { unblockAdvisor.ShowUnblockAdvice(kind); }});
    // A crash ends the client and takes the browsers off its proxy before the system's crash
    // handling holds the process; silently, as nothing may show then.
    SilentMessageBoxes silentMessages;
    BrowserProxyConfiguration crashingProxy(values, sessionValues,
                                            BrowserProxyPorts{connectionOptions, dialUp, browserFiles, windowTitles,
                                                              settings, userProxyRecords, silentMessages},
                                            processId);
    CrashGuard crashGuard([&] {
        tunnelProcess.Terminate();
        crashingProxy.ClearForEndedRun(processId);
    });
    WinHttpText httpText;
    WinFallbackDownload fallbackDownload;
    WinSystemLanguage language;
    WinVolumeInfo volumes;
    WinInterfaceTable interfaceTable;
    WinAdapterSources adapterSources;
    ClockSeededPick randomPick;
    WinSelectIpDialogs selectIpDialogs(values);
    NodeSelection selection(sessionValues, SelectionPorts{log, status, settings, randomPick, selectIpDialogs},
                            TunnelLaunch{[&] { tunnel.Sweep(); },
                                         [&](const TServer& node) {
                                             tunnel.Masq(node.Host, sessionValues.ServerPort, sessionValues.ServerUser,
                                                         sessionValues.ServerKey);
                                         }});
    // Once the new version's installer runs, the main form closes without clearing the proxy.
    WinUpdateDialog updateDialog([&] { frmMain.CloseMainForm(); });
    const auto showUpdateDialog = [&](const ReplyLines& reply) {
        const UpdateOffer offer{values.SkinPath, values.DataFolder, values.Site.webHost,
                                reply.Value(directory_text::kNewVersionSha256Name)};
        return updateDialog.ShowUpdateDialog(offer) != UpdateOutcome::kInstallerStarted;
    };
    DirectoryReply reply(values, sessionValues, ReplyPorts{log, messages, status, settings},
                         ReplyCalls{showUpdateDialog, showTour}, selection);
    DirectoryRequest directory(
        values,
        RequestPorts{frmMain.timRead, log, status, tray, browserProxy, httpText, fallbackDownload, language, volumes,
                     IdentitySources{interfaceTable, adapterSources}, settings},
        RequestCalls{[&](UnblockAdvice kind) { unblockAdvisor.ShowUnblockAdvice(kind); }}, reply);
    silentUpdate = [&] { directory.SilentUpdate(); };
    MainLogic logic(values,
                    MainPorts{folders, registry, shell, messages, os, settings, userProxyRecords, siteFile, log},
                    MainCalls{browserProxy, hotkeys, [&] { tunnel.Sweep(); }, [&] { silentUpdate(); }}, frmMain);

    // The main form's messages.
    const std::pair<TrayMenuItem, std::function<void()>> menu[] = {
        {TrayMenuItem::Masq1, [&] { tunnel.Masq1Click(); }},
        {TrayMenuItem::StopMasq1, [&] { tunnel.StopMasq1Click(); }},
        {TrayMenuItem::SelectIP1, [&] { selection.SelectIP1Click(); }},
        {TrayMenuItem::SeeMyIP1, [&] { logic.SeeMyIP1Click(); }},
        {TrayMenuItem::Options1, [&] { logic.Options1Click(); }},
        {TrayMenuItem::Report1, [&] { logic.Report1Click(); }},
        {TrayMenuItem::Help1, showTour},
        {TrayMenuItem::About1, [&] { logic.About1Click(); }},
        {TrayMenuItem::Exit1, [&] { logic.Exit1Click(); }},
    };
    frmMain.routes = {
        .FormShow = [&] { logic.FormShow(); },
        .btnOKClick = [&] { logic.btnOKClick(); },
        .suiButton1Click = [&] { logic.suiButton1Click(); },
        .closeCommand = [&] { logic.CloseCommand(); },
        .FormClose = [&] { logic.FormClose(); },
        .WMEndSessionQuery = [&] { return logic.WMEndSessionQuery(); },
        .WMEndSession = [&](bool sessionEnds) { logic.WMEndSession(sessionEnds); },
        .help = showTour,
        .aboutLink = [&](AboutLink link) { logic.OpenAboutLink(link); },
        .menuCommand =
            [&](TrayMenuItem item) {
                for (const auto& [menuItem, handler] : menu)
                    if (menuItem == item)
                        handler();
            },
        .WMHotKey = [&](int id) { hotkeys.WMHotKey(id); },
    };
    frmMain.timRead.OnTimer = [&] { tunnel.timReadTimer(); };
    frmMain.timReset.OnTimer = [&] { tunnel.timResetTimer(); };

    if (!frmMain.Create())
        return 0;
    hotkeyRegistrar.AttachTo(frmMain.Handle());
    try {
        if (!logic.InitMain())
            return 0;
    } catch (const std::exception& error) {
        // A failure nothing caught ends the command that raised it, not the program.
        ShowError(error);
    }
    if (frmMain.Closed())
        return 0;

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
    return 0;
}
