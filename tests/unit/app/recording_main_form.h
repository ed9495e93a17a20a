// The main form's window and the subsystems the core calls, as one ordered list of what happened.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app/main_form_view.h"
#include "proxy/browser_proxy.h"
#include "settings/options.h"
#include "ui/hotkeys/hotkeys.h"

class RecordingMainForm final : public MainFormView, public BrowserProxy, public Hotkeys {
  public:
    std::vector<std::string> events;
    Options shown;  // what the dialog's controls show
    Options typed;  // what ReadOptions gives back, as if the user had set the controls
    std::string aboutName, websiteUrl;
    bool browsersOnProxy = false;  // what the browser proxy's mark says

    void CloseMainForm() override { events.push_back("CloseMainForm"); }
    void ApplySkin(const std::string& path) override { events.push_back("ApplySkin " + path); }
    void SetFormCaption(const std::string& caption) override { events.push_back("SetFormCaption " + caption); }
    void SetAboutPage(const std::string& name, const std::string& url) override {
        aboutName = name;
        websiteUrl = url;
        events.push_back("SetAboutPage");
    }
    void ShowOptions(const Options& options) override {
        shown = options;
        events.push_back("ShowOptions");
    }
    Options ReadOptions() const override { return typed; }
    void ShowAboutPage() override { events.push_back("ShowAboutPage"); }
    void RestoreMainForm() override { events.push_back("RestoreMainForm"); }
    void HideMainForm() override { events.push_back("HideMainForm"); }
    void SetShutdownBlockReason(const std::string& reason) override {
        events.push_back("SetShutdownBlockReason " + reason);
    }

    void ApplyProxySettings() override {
        events.push_back("ApplyProxySettings");
        browsersOnProxy = true;
    }
    void ClearBrowserProxy() override {
        events.push_back("ClearBrowserProxy");
        browsersOnProxy = false;
    }
    void DeleteFirefoxUserJs() override { events.push_back("DeleteFirefoxUserJs"); }
    bool BrowsersOnProxy() const override { return browsersOnProxy; }
    bool MendLeftProxy() override {
        events.push_back("MendLeftProxy");
        return std::exchange(browsersOnProxy, false);
    }
    void InitHotkeys() override { events.push_back("InitHotkeys"); }
    void DisableAllHotkeys() override { events.push_back("DisableAllHotkeys"); }
    bool EnableAllHotKeys() override {
        events.push_back("EnableAllHotKeys");
        return true;
    }
};
