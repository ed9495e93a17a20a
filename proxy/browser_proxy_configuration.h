// The browser proxy subsystem: every selected browser on the local proxy of the tunnel client,
// or back to a direct connection. Which browsers, and how Firefox is reached, come from the
// settings at every call, so that a change saved on the options dialog counts at the next one.
#pragma once

#include "proxy/browser_proxy.h"
#include "proxy/firefox_proxy.h"
#include "proxy/system_proxy.h"
#include "settings/program_values.h"
#include "settings/session_values.h"

class BrowserFiles;
class ConnectionOptions;
class DialUpConnections;
class MessageBoxes;
class SettingsStore;
class WindowTitles;

struct BrowserProxyPorts {
    ConnectionOptions& connectionOptions;
    const DialUpConnections& dialUp;
    BrowserFiles& files;
    const WindowTitles& windows;
    SettingsStore& settings;  // the browsers selected, the Firefox mode, the bypass list
    MessageBoxes& messages;
};

class BrowserProxyConfiguration final : public BrowserProxy {
  public:
    BrowserProxyConfiguration(const ProgramValues& values, const SessionValues& session, BrowserProxyPorts ports);

    // With Internet Explorer unselected the system proxy is cleared, whatever `enable` says.
    void SetBrowserProxy(bool enable,
                         std::string_view server,
                         std::string_view nodeLabel,
                         std::string_view bypass,
                         bool useSocks) override;
    // The bypass text from the stored list of sites: what the user last saved, never edits that
    // were cancelled.
    void ApplyProxySettings() override;
    void DeleteFirefoxUserJs() override;

  private:
    const ProgramValues& values_;
    const SessionValues& session_;
    SettingsStore& settings_;
    SystemProxy system_;
    FirefoxProxy firefox_;
};
