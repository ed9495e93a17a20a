// The main form's behaviour, free of Win32: start-up, the options dialog's commands, the log,
// and the ways out. TfrmMain forwards its events here and answers through MainFormView.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "directory/maker_site.h"
#include "settings/program_values.h"
#include "settings/report_log.h"

class BrowserProxy;
class Directory;
class FolderSystem;
class Hotkeys;
class MainFormView;
class MessageBoxes;
class Registry;
class SettingsStore;
class Shell;
class SystemInfo;
class Tour;
class Tunnel;

struct MainPorts {
    FolderSystem& folders;
    Registry& registry;
    Shell& shell;
    MessageBoxes& messages;
    const ReportClock& clock;
    SystemInfo& system;
    // Subsystems the main form calls into.
    BrowserProxy& browserProxy;
    Tunnel& tunnel;
    Directory& directory;
    Hotkeys& hotkeys;
    Tour& tour;
};

class MainLogic {
  public:
    MainLogic(ProgramValues& values, MainPorts ports, MainFormView& view);
    ~MainLogic();

    // The start-up sequence; false when it stopped and closed the main form.
    bool InitMain();

    void FormShow();
    void Masq1Click();
    void StopMasq1Click();
    void SelectIP1Click();
    void btnOKClick();
    void suiButton1Click();
    void Options1Click();
    void About1Click();
    void Report1Click();
    void SeeMyIP1Click();
    void Help1Click();
    void Exit1Click();
    void FormClose();
    // Windows asks whether the session may end; the answer.
    bool WMEndSessionQuery();
    void OpenLink(std::string_view url);

    void Report(std::string_view text);
    const MakerSite& Site() const { return site_; }

  private:
    bool InitSettings();
    bool InitInterface();
    void StartReport();
    void ClearBrowserProxy();

    ProgramValues& values_;
    MainPorts ports_;
    MainFormView& view_;
    MakerSite site_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<ReportFile> reportFile_;
    std::optional<ReportLog> report_;
};
