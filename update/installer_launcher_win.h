// Starts the installer through the shell's "Open", in a normal window.
#pragma once

#include "update/installer_launcher.h"

class WinInstallerLauncher final : public InstallerLauncher {
  public:
    bool Start(const std::string& path) override;
};
