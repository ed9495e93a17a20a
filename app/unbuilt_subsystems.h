// The subsystems the program calls into that are not built yet, one small stand-in each; each
// goes when its subsystem arrives.
#pragma once

#include <functional>

#include "settings/session_values.h"
#include "settings/settings_store.h"

// In place of the directory request: the node that site.ini names for the session, if any,
//   [TestNode]
//   Host=127.0.0.2
//   Port=1080
//   User=user
//   Key=key
// made the current node and launched, so the tunnel session runs end to end.
class TestNodeDirectory {
  public:
    using Launch = std::function<void(const TServer& node)>;
    TestNodeDirectory(const SettingsStore& siteFile, SessionValues& session, Launch launch)
        : siteFile_(siteFile), session_(session), launch_(std::move(launch)) {}

    void SilentUpdate() {
        const std::string host = siteFile_.ReadString("TestNode", "Host", "");
        if (host.empty())
            return;
        session_.ServerPort = siteFile_.ReadString("TestNode", "Port", "");
        session_.ServerUser = siteFile_.ReadString("TestNode", "User", "");
        session_.ServerKey = siteFile_.ReadString("TestNode", "Key", "");
        session_.Servers = {TServer{"#1 Masq Node", host, 10, 1, false}};
        launch_(session_.Servers.front());
    }

  private:
    const SettingsStore& siteFile_;
    SessionValues& session_;
    Launch launch_;
};
