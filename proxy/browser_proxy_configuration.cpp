#include "proxy/browser_proxy_configuration.h"

#include "proxy/bypass_list.h"
#include "settings/options.h"
#include "settings/settings_keys.h"
#include "settings/settings_store.h"

BrowserProxyConfiguration::BrowserProxyConfiguration(const ProgramValues& values,
                                                     const SessionValues& session,
                                                     BrowserProxyPorts ports,
                                                     std::uint32_t processId)
    : values_(values),
      session_(session),
      settings_(ports.settings),
      processId_(processId),
      mark_(ports.records),
      system_(ports.connectionOptions, ports.dialUp, ports.records),
      firefox_(values, FirefoxPorts{ports.files, ports.windows, ports.messages, ports.records}) {}

void BrowserProxyConfiguration::SetBrowserProxy(bool enable,
                                                std::string_view server,
                                                std::string_view nodeLabel,
                                                std::string_view bypass,
                                                bool useSocks) {
    const OurProxy ours = OurProxyNow();
    if (enable)
        mark_.Set(processId_);
    SetEachBrowser(enable, server, nodeLabel, bypass, useSocks, ours);
    if (!enable)
        mark_.Remove();
}

void BrowserProxyConfiguration::SetEachBrowser(bool enable,
                                               std::string_view server,
                                               std::string_view nodeLabel,
                                               std::string_view bypass,
                                               bool useSocks,
                                               const OurProxy& ours) {
    if (settings_.ReadBool(kConfig, kBrowserIE, true))
        system_.SetSystemProxy(enable, server, bypass, useSocks, ours);
    else
        system_.SetSystemProxy(false, "", "", useSocks, ours);

    if (!settings_.ReadBool(kConfig, kBrowserFirefox, true))
        return;
    if (settings_.ReadInteger(kConfig, kFirefoxControlMode, kPluginMode) == kRestartFirefox)
        firefox_.WriteFirefoxUserJs(enable, server, nodeLabel, bypass);
    else
        firefox_.WriteFirefoxPluginFile(enable, server, nodeLabel, bypass);
}

void BrowserProxyConfiguration::ApplyProxySettings() {
    SetBrowserProxy(true, LocalProxyServer(values_.InternalPort), NodeLabel(session_.CurrentServer),
                    BypassText(LoadBypassList(settings_)), true);
}

void BrowserProxyConfiguration::ClearBrowserProxy() {
    SetBrowserProxy(false, "", "", "", true);
}

void BrowserProxyConfiguration::DeleteFirefoxUserJs() {
    firefox_.DeleteFirefoxUserJs();
}

bool BrowserProxyConfiguration::BrowsersOnProxy() const {
    return mark_.Owner().has_value();
}

bool BrowserProxyConfiguration::MendLeftProxy() {
    if (!mark_.Owner())
        return false;
    ClearBrowserProxy();
    return true;
}

bool BrowserProxyConfiguration::ClearForEndedRun(std::uint32_t processId) {
    if (mark_.Owner() != processId)
        return false;
    SetEachBrowser(false, "", "", "", true, OurProxyNow());
    return true;
}

OurProxy BrowserProxyConfiguration::OurProxyNow() const {
    return {ProxyServerValue(LocalProxyServer(values_.InternalPort), true), mark_.Owner().has_value()};
}
