// The browsers' proxy as a list of the calls made, in order.
#pragma once

#include <string>
#include <vector>

#include "proxy/browser_proxy.h"

class RecordingBrowserProxy final : public BrowserProxy {
  public:
    std::vector<std::string> calls;

    void SetBrowserProxy(bool enable, std::string_view server, std::string_view, std::string_view, bool) override {
        calls.push_back(enable ? "on " + std::string(server) : "off");
    }
    void ApplyProxySettings() override { calls.push_back("ApplyProxySettings"); }
    void DeleteFirefoxUserJs() override { calls.push_back("DeleteFirefoxUserJs"); }
};
