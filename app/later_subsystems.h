// The calls of the main form into subsystems that later work fills in. Until then each call
// does nothing, so start-up, the options dialog and the ways out already run in their final order.
#pragma once

#include "directory/directory.h"
#include "proxy/browser_proxy.h"
#include "tunnel/tunnel.h"
#include "ui/hotkeys.h"
#include "ui/tour.h"

class LaterSubsystems final : public BrowserProxy, public Tunnel, public Directory, public Hotkeys, public Tour {
  public:
    void SetBrowserProxy(bool, std::string_view, std::string_view, std::string_view, bool) override {}
    void DeleteFirefoxUserJs() override {}
    void Sweep() override {}
    void TurnHidingOn() override {}
    void TurnHidingOff() override {}
    void SilentUpdate() override {}
    void SelectNode() override {}
    void InitHotkeys() override {}
    void DisableAllHotkeys() override {}
    bool EnableAllHotKeys() override { return true; }
    void ShowTour() override {}
};
