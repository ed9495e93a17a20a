// The composition root: every port, shared service and subsystem of the program, built once in
// the order their members are listed, and wired together. A call that goes "up" (the directory
// launching the tunnel client, the unblock advice asking the directory again) is a lambda on this
// object, so no subsystem includes the one it calls back.
#pragma once

#include <windows.h>

#include "app/crash_guard_win.h"
#include "app/frm_main_win.h"
#include "app/main_logic.h"
#include "common/cng_makers_crypto_win.h"
#include "directory/directory_request.h"
#include "directory/fallback_download_win.h"
#include "directory/frm_select_ip_win.h"
#include "directory/http_text_win.h"
#include "directory/identity_sources_win.h"
#include "directory/node_selection.h"
#include "directory/random_pick.h"
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
#include "ui/advice/skinned_unblock_dialog.h"
#include "ui/advice/unblock_advisor.h"
#include "ui/hotkeys/global_hotkeys.h"
#include "ui/hotkeys/hotkey_registrar_win.h"
#include "ui/messages/silent_message_boxes.h"
#include "ui/messages/skinned_message_boxes.h"
#include "ui/tray/masq_status.h"
#include "ui/tray/tray_win.h"
#include "update/update_dialog_win.h"

class MasqProgram {
  public:
    // `showError` shows what no handler caught.
    explicit MasqProgram(WindowBase::ErrorDisplay showError);
    MasqProgram(const MasqProgram&) = delete;
    MasqProgram& operator=(const MasqProgram&) = delete;

    // Creates the hidden main form with the icon in the tray and runs the start-up sequence;
    // false when the program is to end at once.
    bool Start();
    TfrmMain& MainForm() { return frmMain_; }

  private:
    void RouteMainForm();
    void ShowTour();
    void ShowUnblockAdvice(UnblockAdvice kind);
    // The directory's offer of a new version; false once its installer runs and the program ends.
    bool OfferUpdate(const ReplyLines& reply);

    const WindowBase::ErrorDisplay showError_;
    const DWORD processId_ = GetCurrentProcessId();

    // Shared values and services.
    ProgramValues values_;
    SessionValues session_;
    WinFolderSystem folders_;
    WinRegistry registry_;
    WinShell shell_;
    WinOsInfo os_;
    WinReportClock clock_;
    WinReportFile reportFile_;
    ReportLog log_{reportFile_, clock_};
    ProfileSettingsStore settings_;
    ProfileSettingsStore userProxyRecords_;  // the program's own records, beside the settings
    ProfileSettingsStore siteFile_;
    SkinnedMessageBoxes messages_{values_};
    MasqTray tray_;
    MasqStatus status_{tray_};
    TfrmMain frmMain_{tray_};

    // The browsers' proxy.
    WinConnectionOptions connectionOptions_;
    WinDialUpConnections dialUp_;
    WinBrowserFiles browserFiles_;
    WinWindowTitles windowTitles_;
    BrowserProxyConfiguration browserProxy_{
        values_, session_,
        BrowserProxyPorts{connectionOptions_, dialUp_, browserFiles_, windowTitles_, settings_, userProxyRecords_,
                          messages_},
        processId_};

    // The hotkeys work the menu as its clicks do, on the commands the main form routes.
    WinHotkeyRegistrar hotkeyRegistrar_;
    GlobalHotkeys hotkeys_{HotkeyPorts{hotkeyRegistrar_, settings_, messages_, tray_},
                           HotkeyCalls{[this](TrayMenuItem item) { frmMain_.routes.menuCommand(item); },
                                       [this] { tray_.PopupMenu(); }}};

    // The advice when nothing gets out; its Reconnect asks the directory again.
    SkinnedUnblockDialog unblockDialog_{values_};
    UnblockAdvisor unblockAdvisor_{values_, UnblockPorts{unblockDialog_, registry_, shell_},
                                   [this] { directory_.SilentUpdate(); }};

    // The tunnel session.
    WinTunnelProcess tunnelProcess_;
    TunnelSession tunnel_{values_, session_,
                          TunnelPorts{tunnelProcess_, frmMain_.timRead, frmMain_.timReset, folders_, messages_, log_,
                                      status_, browserProxy_},
                          TunnelCalls{[this](UnblockAdvice kind) { ShowUnblockAdvice(kind); }}};

    // A crash ends the client and takes the browsers off its proxy before the system's crash
    // handling holds the process; silently, as nothing may show then.
    SilentMessageBoxes silentMessages_;
    BrowserProxyConfiguration crashingProxy_{
        values_, session_,
        BrowserProxyPorts{connectionOptions_, dialUp_, browserFiles_, windowTitles_, settings_, userProxyRecords_,
                          silentMessages_},
        processId_};
    CrashGuard crashGuard_{[this] {
        tunnelProcess_.Terminate();
        crashingProxy_.ClearForEndedRun(processId_);
    }};

    // The node directory; choosing a node launches the tunnel client for it.
    WinHttpText httpText_;
    WinFallbackDownload fallbackDownload_;
    CngMakersCrypto makersCrypto_;
    WinSystemLanguage language_;
    WinVolumeInfo volumes_;
    WinInterfaceTable interfaceTable_;
    WinAdapterSources adapterSources_;
    ClockSeededPick randomPick_;
    WinSelectIpDialogs selectIpDialogs_{values_};
    NodeSelection selection_{session_, SelectionPorts{log_, status_, settings_, randomPick_, selectIpDialogs_},
                             TunnelLaunch{[this] { tunnel_.Sweep(); },
                                          [this](const TServer& node) {
                                              tunnel_.Masq(node.Host, session_.ServerPort, session_.ServerUser,
                                                           session_.ServerKey);
                                          }}};
    // Once the new version's installer runs, the main form closes without clearing the proxy.
    WinUpdateDialog updateDialog_{[this] { frmMain_.CloseMainForm(); }};
    DirectoryReply reply_{values_, session_, ReplyPorts{log_, messages_, status_, settings_},
                          ReplyCalls{[this](const ReplyLines& reply) { return OfferUpdate(reply); },
                                     [this] { ShowTour(); }},
                          selection_};
    DirectoryRequest directory_{values_,
                                RequestPorts{frmMain_.timRead, log_, status_, tray_, browserProxy_, httpText_,
                                             fallbackDownload_, makersCrypto_, language_, volumes_,
                                             IdentitySources{interfaceTable_, adapterSources_}, settings_},
                                RequestCalls{[this](UnblockAdvice kind) { ShowUnblockAdvice(kind); }}, reply_};

    // The application core.
    MainLogic logic_{values_,
                     MainPorts{folders_, registry_, shell_, messages_, os_, settings_, userProxyRecords_, siteFile_, log_},
                     MainCalls{browserProxy_, hotkeys_, [this] { tunnel_.Sweep(); },
                               [this] { directory_.SilentUpdate(); }},
                     frmMain_};
};
