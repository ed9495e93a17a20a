#include "app/main_logic.h"

#include "app/app_texts.h"
#include "app/main_form_view.h"
#include "app/program_folders.h"
#include "common/product_name.h"
#include "platform/environment.h"
#include "platform/os_info.h"
#include "proxy/browser_proxy.h"
#include "proxy/user_proxy_store.h"
#include "settings/folders.h"
#include "settings/options.h"
#include "settings/report_log.h"
#include "settings/settings_keys.h"
#include "settings/settings_store.h"
#include "ui/hotkeys/hotkeys.h"
#include "ui/messages/message_boxes.h"

MainLogic::MainLogic(ProgramValues& values, MainPorts ports, MainCalls calls, MainFormView& view)
    : values_(values), ports_(ports), calls_(std::move(calls)), view_(view) {}

bool MainLogic::InitMain() {
    if (!InitSettings() || !InitInterface())
        return false;
    calls_.hotkeys.InitHotkeys();
    StartReport();
    // Before the directory request, which needs a working connection.
    if (calls_.browserProxy.MendLeftProxy())
        ports_.log.Report(kLogRemoveLeftProxy);
    calls_.silentUpdate();
    return true;
}

bool MainLogic::InitSettings() {
    FindProgramFolders(ports_.folders, ports_.os, values_);
    const std::string dataFolder = values_.DataFolder.substr(0, values_.DataFolder.size() - 1);
    if (!ForceFolder(ports_.folders, dataFolder)) {
        ports_.messages.ShowMessageBox(kProductName, kCanNotCreateDataFolder, MessageKind::Error, kButtonsOK);
        view_.CloseMainForm();
        return false;
    }
    SettingsStore& settings = ports_.settings;
    settings.Open(values_.SettingsPath);
    ports_.records.Open(values_.UserProxyPath);
    // Before the log copies masq.ini: the user's proxy options are no matter for support.
    MoveUserProxyRecords(settings, ports_.records);
    ports_.log.Open(values_.DataFolder + kReportFileName);

    if (settings.ReadString(kConfig, kVersion, "") != ProgramVersion) {
        values_.IsNewVersion = true;
        settings.WriteString(kConfig, kVersion, ProgramVersion);
    }
    if (settings.ReadBool(kConfig, kFirstRun, true)) {
        values_.IsFirstRun = true;
        settings.WriteBool(kConfig, kFirstRun, false);
    }
    values_.SkinPath = settings.ReadString(kConfig, kSkin, values_.AppFolder + kDefaultSkinFileName);
    values_.InternalPort = ReadInternalPort(settings);

    ports_.siteFile.Open(values_.AppFolder + kSiteFileName);
    values_.Site = LoadMakerSite(ports_.siteFile);
    return true;
}

bool MainLogic::InitInterface() {
    if (!ports_.folders.FileExists(values_.SkinPath)) {
        ports_.messages.ShowMessageBox(kProductName, kCanNotFindSkin, MessageKind::Error, kButtonsOK);
        view_.CloseMainForm();
        return false;
    }
    view_.ApplySkin(values_.SkinPath);
    view_.SetAboutPage(std::string(kAboutName) + ProgramVersion, WebsiteUrl(values_.Site));
    view_.SetFormCaption(kProductName);
    view_.ShowOptions(LoadOptions(ports_.settings, ports_.registry));
    return true;
}

void MainLogic::StartReport() {
    ports_.log.StartRun(ReadTextLines(ports_.folders, values_.SettingsPath).value_or(std::vector<std::string>{}));
    ports_.log.Report(kProductName);
    ports_.log.Report(std::string(kLogVersion) + ProgramVersion);
    const OsName os = GetOSName(ports_.os.QueryOsVersion());
    ports_.log.Report(std::string(kLogOs) + os.name + " [" + std::to_string(os.versionCode) + "]");
    ports_.log.Report(std::string(kLogDefaultBrowser) + GetDefaultBrowser(ports_.registry));
    if (values_.IsNewVersion)
        calls_.browserProxy.DeleteFirefoxUserJs();
    ports_.log.Report(std::string(kLogTimeZone) +
                      GetTimeZoneText(ports_.os.QueryUtcTime(), ports_.os.QueryLocalTime()));
}

void MainLogic::FormShow() {
    view_.ShowOptions(LoadOptions(ports_.settings, ports_.registry));
}

void MainLogic::btnOKClick() {
    const Options options = view_.ReadOptions();
    SaveOptions(options, ports_.settings);
    SetAutoStart(ports_.registry, options.startWithWindows, kAutoStartName, values_.ExePath);
    // Plugin Mode needs no user.js: the add-on takes the proxy from the state file.
    if (options.firefoxControlMode == kPluginMode)
        calls_.browserProxy.DeleteFirefoxUserJs();
    calls_.hotkeys.DisableAllHotkeys();
    if (options.hotkeyEnable)
        calls_.hotkeys.EnableAllHotKeys();
    // Only while the browsers are on the proxy: after Stop, or No to the reconnect question, the
    // session may still count as established, and the off state means direct.
    if (calls_.browserProxy.BrowsersOnProxy())
        calls_.browserProxy.ApplyProxySettings();
    view_.HideMainForm();
}

void MainLogic::suiButton1Click() {
    view_.HideMainForm();
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
    OpenURL(WhatIsMyIpUrl(values_.Site));
}

void MainLogic::OpenAboutLink(AboutLink link) {
    switch (link) {
        case AboutLink::Website:
            return OpenURL(WebsiteUrl(values_.Site));
        case AboutLink::ContactUs:
            return OpenURL(ContactUrl(values_.Site));
        case AboutLink::SeeMyIP:
            return OpenURL(WhatIsMyIpUrl(values_.Site));
    }
}

void MainLogic::OpenURL(const std::string& url) {
    ::OpenURL(ports_.registry, ports_.shell, url);
}

void MainLogic::Exit1Click() {
    calls_.browserProxy.ClearBrowserProxy();
    view_.CloseMainForm();
}

void MainLogic::CloseCommand() {
    Exit1Click();
}

void MainLogic::FormClose() {
    ports_.log.Report(kLogClosing);
    ports_.log.Close();
    calls_.sweep();
}

bool MainLogic::WMEndSessionQuery() {
    ports_.log.Report(kLogWindowsShutDown);
    if (GetOSName(ports_.os.QueryOsVersion()).versionCode < 600) {
        ports_.log.Report(kLogRemoveProxy);
        calls_.browserProxy.ClearBrowserProxy();
        return true;
    }
    ports_.log.Report(kCloseBeforeShutdown);
    view_.SetShutdownBlockReason(kCloseBeforeShutdown);
    return false;
}

void MainLogic::WMEndSession(bool sessionEnds) {
    // Before Windows Vista the query has cleared already; from Vista on the session ends only
    // when the user forces it past the held-up shutdown.
    if (!sessionEnds || !calls_.browserProxy.BrowsersOnProxy())
        return;
    ports_.log.Report(kLogRemoveProxy);
    calls_.browserProxy.ClearBrowserProxy();
}
