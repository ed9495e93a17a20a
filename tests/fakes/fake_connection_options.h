// The system's per-connection proxy options in memory: every call in order, each option list as
// it was handed over, and a store per connection that Set changes the way WinInet does.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "proxy/connection_options.h"

class FakeConnectionOptions final : public ConnectionOptions {
  public:
    std::vector<std::string> calls;                      // "Set <connection>", "Refresh", "SettingsChanged"
    std::vector<ConnectionOptionList> lists;             // what each Set handed over
    std::map<std::string, ConnectionProxy> connections;  // "" is the LAN
    bool setFails = false;
    bool queryFails = false;
    std::function<void(const ConnectionOptionList&)> onSet;  // runs as the list is handed over

    bool Set(const ConnectionOptionList& list) override {
        calls.push_back("Set " + list.connection);
        lists.push_back(list);
        if (onSet)
            onSet(list);
        if (setFails)
            return false;
        ConnectionProxy& proxy = connections[list.connection];
        for (const ConnectionOption& option : list.options) {
            switch (option.id) {
                case ConnectionOptionId::Flags:
                    proxy.flags = std::get<std::uint32_t>(option.value);
                    break;
                case ConnectionOptionId::ProxyServer:
                    proxy.server = std::get<std::string>(option.value);
                    break;
                case ConnectionOptionId::ProxyBypass:
                    proxy.bypass = std::get<std::string>(option.value);
                    break;
            }
        }
        return true;
    }
    std::optional<ConnectionProxy> Query(std::string_view connection) const override {
        if (queryFails)
            return std::nullopt;
        auto found = connections.find(std::string(connection));
        return found == connections.end() ? ConnectionProxy{} : found->second;
    }
    void Refresh() override { calls.push_back("Refresh"); }
    void SettingsChanged() override { calls.push_back("SettingsChanged"); }
};
