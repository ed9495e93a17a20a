// Records the installers the update started, and can refuse to start them.
#pragma once

#include <string>
#include <vector>

#include "update/installer_launcher.h"

class FakeInstallerLauncher final : public InstallerLauncher {
  public:
    std::vector<std::string> started;
    bool fails = false;

    bool Start(const std::string& path) override {
        if (fails)
            return false;
        started.push_back(path);
        return true;
    }
};
