// The browser proxy subsystem: every selected browser on the local proxy of the tunnel client,
// or back to a direct connection. Which browsers, and how Firefox is reached, come from the
// settings at every call, so that a change saved on the options dialog counts at the next one.
#pragma once

#include <cstdint>

#include "proxy/browser_proxy.h"
#include "proxy/firefox_proxy.h"
#include "proxy/proxy_mark.h"
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
    SettingsStore& settings;  // masq.ini: the browsers selected, the Firefox mode, the bypass list
    SettingsStore& records;   // the program's own records beside it: the run's mark, the user's own proxy
    MessageBoxes& messages;
};

class BrowserProxyConfiguration final : public BrowserProxy {
  public:
    // `processId` is the running program's: the mark of its setting calls.
    BrowserProxyConfiguration(const ProgramValues& values,
                              const SessionValues& session,
                              BrowserProxyPorts ports,
                              std::uint32_t processId);

    // Puts the browsers on `server` (enable) or back to a direct connection. With Internet
    // Explorer unselected the system proxy is cleared, whatever `enable` says. A setting call
    // marks the browsers as on this run's proxy before it changes anything; a clearing call takes
    // the mark away once it is done.
    void SetBrowserProxy(bool enable,
                         std::string_view server,
                         std::string_view nodeLabel,
                         std::string_view bypass,
                         bool useSocks);
    // The bypass text from the stored list of sites: what the user last saved, never edits that
    // were cancelled.
    void ApplyProxySettings() override;
    void ClearBrowserProxy() override;
    void DeleteFirefoxUserJs() override;
    bool BrowsersOnProxy() const override;
    // Any mark found at start-up is a run's that ended without clearing: the browsers are
    // cleared and the mark goes.
    bool MendLeftProxy() override;
    // The program `processId` ended, or is ending, without clearing: its browsers go back to
    // direct (or to the user's own proxy). The mark stays, so that the next start tells of the
    // run in its log. False, and nothing touched, when the mark is not that program's: a later
    // run's proxy is never taken away.
    bool ClearForEndedRun(std::uint32_t processId);

  private:
    // Every selected browser, as the settings say now; `ours` as it was before the call.
    void SetEachBrowser(bool enable,
                        std::string_view server,
                        std::string_view nodeLabel,
                        std::string_view bypass,
                        bool useSocks,
                        const OurProxy& ours);
    // The program's proxy, and whether the mark says the browsers are on it now.
    OurProxy OurProxyNow() const;

    const ProgramValues& values_;
    const SessionValues& session_;
    SettingsStore& settings_;
    const std::uint32_t processId_;
    ProxyMark mark_;
    SystemProxy system_;
    FirefoxProxy firefox_;
};
