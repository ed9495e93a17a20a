// The application core, free of Win32: the start-up sequence, the options dialog's commands, the
// core's menu commands and the ways out. TfrmMain routes its window's events here and answers
// through MainFormView.
#pragma once

#include <functional>
#include <string>

#include "settings/program_values.h"

class BrowserProxy;
class FolderSystem;
class Hotkeys;
class MainFormView;
class MessageBoxes;
class OsInfo;
class Registry;
class ReportLog;
class SettingsStore;
class Shell;

// The operating system and the shared services, as the core uses them.
struct MainPorts {
    FolderSystem& folders;
    Registry& registry;
    Shell& shell;
    MessageBoxes& messages;
    const OsInfo& os;
    SettingsStore& settings;  // the settings object: InitSettings opens it
    SettingsStore& records;   // the program's own records beside it (userproxy.ini): InitSettings opens it
    SettingsStore& siteFile;  // site.ini beside the program, read once at start
    ReportLog& log;           // the activity log: InitSettings opens it
};

// The subsystems the core calls into; the composition root wires them.
struct MainCalls {
    BrowserProxy& browserProxy;
    Hotkeys& hotkeys;
    std::function<void()> sweep;         // ends the tunnel client
    std::function<void()> silentUpdate;  // the directory request that drives the rest of the road
};

// The About page's links; each opens its own address, never its caption.
enum class AboutLink { Website, ContactUs, SeeMyIP };

class MainLogic {
  public:
    MainLogic(ProgramValues& values, MainPorts ports, MainCalls calls, MainFormView& view);

    // The start-up sequence; false when it stopped and closed the main form.
    bool InitMain();

    void FormShow();
    void btnOKClick();
    void suiButton1Click();
    void Options1Click();
    void About1Click();
    void Report1Click();
    void SeeMyIP1Click();
    void OpenAboutLink(AboutLink link);
    void Exit1Click();
    // The window's own close command: the same as Exit, so the browsers never stay on a proxy
    // that is about to go.
    void CloseCommand();
    void FormClose();
    // Windows asks whether the session may end; the answer.
    bool WMEndSessionQuery();
    // Windows tells whether the session ends after all. When it does (a forced end included),
    // the browsers leave the proxy now: the process is ended without closing its form.
    void WMEndSession(bool sessionEnds);

  private:
    bool InitSettings();
    bool InitInterface();
    void StartReport();
    void OpenURL(const std::string& url);

    ProgramValues& values_;
    MainPorts ports_;
    MainCalls calls_;
    MainFormView& view_;
};
