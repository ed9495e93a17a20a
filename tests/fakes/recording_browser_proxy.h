// The browsers' proxy as a list of the calls made, in order, and whether the browsers are on it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "proxy/browser_proxy.h"

class RecordingBrowserProxy final : public BrowserProxy {
  public:
    std::vector<std::string> calls;
    bool on = false;

    void ApplyProxySettings() override {
        calls.push_back("ApplyProxySettings");
        on = true;
    }
    void ClearBrowserProxy() override {
        calls.push_back("off");
        on = false;
    }
    void DeleteFirefoxUserJs() override { calls.push_back("DeleteFirefoxUserJs"); }
    bool BrowsersOnProxy() const override { return on; }
    bool MendLeftProxy() override {
        calls.push_back("MendLeftProxy");
        return std::exchange(on, false);
    }
};
