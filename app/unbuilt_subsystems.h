// The subsystems the program calls into that are not built yet, one small stand-in each; each
// goes when its subsystem arrives.
#pragma once

#include "proxy/browser_proxy.h"
#include "ui/hotkeys.h"

class UnbuiltBrowserProxy final : public BrowserProxy {
  public:
    void SetBrowserProxy(bool, std::string_view, std::string_view, std::string_view, bool) override {}
    void ApplyProxySettings() override {}
    void DeleteFirefoxUserJs() override {}
};

class UnbuiltHotkeys final : public Hotkeys {
  public:
    void InitHotkeys() override {}
    void DisableAllHotkeys() override {}
    bool EnableAllHotKeys() override { return true; }
};
