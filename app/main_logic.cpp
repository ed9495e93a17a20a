#include "app/main_logic.h"

#include "app/app_texts.h"
#include "app/main_form_view.h"
#include "app/system_info.h"
#include "directory/directory.h"
#include "proxy/browser_proxy.h"
#include "proxy/environment.h"
#include "proxy/shell.h"
#include "settings/folders.h"
#include "settings/options.h"
#include "settings/settings_keys.h"
#include "settings/settings_store.h"
#include "tunnel/tunnel.h"
#include "ui/hotkeys.h"
#include "ui/message_boxes.h"
#include "ui/tour.h"

MainLogic::MainLogic(ProgramValues& values, MainPorts ports, MainFormView& view)
    : values_(values), ports_(ports), view_(view) {}

MainLogic::~MainLogic() = default;

bool MainLogic::InitMain() {
    if (!InitSettings() || !InitInterface())
        return false;
    ports_.hotkeys.InitHotkeys();
    StartReport();
    ports_.directory.SilentUpdate();
    return true;
}

bool MainLogic::InitSettings() {
    values_.ExePath = ports_.folders.ExecutablePath();
    values_.AppFolder = ExtractFolder(values_.ExePath);
    const std::string osName = GetOSName(ports_.system.QueryOsVersion()).name;
    values_.DataFolder = GetAppDataFolder(ports_.folders, osName) + kDataFolderName;
    values_.TempFolder = GetTempFolder(ports_.folders);
    if (!ForceFolder(ports_.folders, values_.DataFolder)) {
        ports_.messages.ShowMessageBox(kProgramTitle, kCanNotCreateDataFolder, MessageKind::Error, kButtonsOK);
        view_.CloseMainForm();
        return false;
    }
    values_.DataFolder = IncludeBackslash(values_.DataFolder);
    values_.SettingsPath = values_.DataFolder + kSettingsFileName;
    settings_ = ports_.system.OpenSettings(values_.SettingsPath);

    reportFile_ = ports_.system.OpenReportFile(values_.DataFolder + kReportFileName);
    report_.emplace(*reportFile_, ports_.clock);

    if (settings_->ReadString(kConfig, kVersion, "") != ProgramVersion) {
        values_.IsNewVersion = true;
        settings_->WriteString(kConfig, kVersion, ProgramVersion);
    }
    if (settings_->ReadBool(kConfig, kFirstRun, true)) {
        values_.IsFirstRun = true;
        settings_->WriteBool(kConfig, kFirstRun, false);
    }
    values_.SkinPath = settings_->ReadString(kConfig, kSkin, values_.AppFolder + kDefaultSkinFileName);
    values_.InternalPort = settings_->ReadString(kConfig, kInternalPort, kDefaultInternalPort);

    site_ = LoadMakerSite(*ports_.system.OpenSettings(values_.AppFolder + kSiteFileName));
    return true;
}

bool MainLogic::InitInterface() {
    if (!ports_.folders.FileExists(values_.SkinPath)) {
        ports_.messages.ShowMessageBox(kProgramTitle, kCanNotFindSkin, MessageKind::Error, kButtonsOK);
        view_.CloseMainForm();
        return false;
    }
    view_.ApplySkin(values_.SkinPath);
    view_.SetAboutPage(std::string(kAboutName) + ProgramVersion, WebsiteUrl(site_));
    view_.SetFormCaption(kProgramTitle);
    view_.ShowOptions(LoadOptions(*settings_, ports_.registry));
    return true;
}

void MainLogic::StartReport() {
    report_->StartRun(ReadTextLines(ports_.folders, values_.SettingsPath).value_or(std::vector<std::string>{}));
    Report(kProgramTitle);
    Report(std::string(kLogVersion) + ProgramVersion);
    const OsName os = GetOSName(ports_.system.QueryOsVersion());
    Report(std::string(kLogOs) + os.name + " [" + std::to_string(os.versionCode) + "]");
    Report(std::string(kLogDefaultBrowser) + GetDefaultBrowser(ports_.registry));
    if (values_.IsNewVersion)
        ports_.browserProxy.DeleteFirefoxUserJs();
    Report(std::string(kLogTimeZone) + ports_.system.QueryTimeZoneText());
}

void MainLogic::FormShow() {
    view_.ShowOptions(LoadOptions(*settings_, ports_.registry));
}

void MainLogic::btnOKClick() {
    const Options options = view_.ReadOptions();
    SaveOptions(options, *settings_, ports_.registry, values_.ExePath, ports_.browserProxy);
    ports_.hotkeys.DisableAllHotkeys();
    if (options.hotkeyEnable)
        ports_.hotkeys.EnableAllHotKeys();
    view_.HideMainForm();
}

void MainLogic::suiButton1Click() {
    view_.HideMainForm();
}

void MainLogic::Masq1Click() {
    ports_.tunnel.TurnHidingOn();
}

void MainLogic::StopMasq1Click() {
    ports_.tunnel.TurnHidingOff();
}

void MainLogic::SelectIP1Click() {
    ports_.directory.SelectNode();
}

void MainLogic::Options1Click() {
    view_.RestoreMainForm();
}

void MainLogic::About1Click() {
    view_.ShowAboutPage();
    view_.RestoreMainForm();
}

void MainLogic::Report1Click() {
    ports_.shell.Open(values_.DataFolder + kReportFileName, "");
}

void MainLogic::SeeMyIP1Click() {
    OpenLink(WhatIsMyIpUrl(site_));
}

void MainLogic::Help1Click() {
    ports_.tour.ShowTour();
}

void MainLogic::OpenLink(std::string_view url) {
    OpenURL(ports_.registry, ports_.shell, url);
}

void MainLogic::Exit1Click() {
    ClearBrowserProxy();
    view_.CloseMainForm();
}

void MainLogic::FormClose() {
    Report(kLogClosing);
    report_.reset();
    reportFile_.reset();
    settings_.reset();
    ports_.tunnel.Sweep();
}

bool MainLogic::WMEndSessionQuery() {
    Report(kLogWindowsShutDown);
    if (GetOSName(ports_.system.QueryOsVersion()).versionCode < 600) {
        Report(kLogRemoveProxy);
        ClearBrowserProxy();
        return true;
    }
    Report(kCloseBeforeShutdown);
    view_.SetShutdownBlockReason(kCloseBeforeShutdown);
    return false;
}

void MainLogic::Report(std::string_view text) {
    if (report_)
        report_->Report(text);
}

void MainLogic::ClearBrowserProxy() {
    ports_.browserProxy.SetBrowserProxy(false, "", "", "", true);
}
