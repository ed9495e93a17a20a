// The port that starts the downloaded installer the way the user's shell opens a program.
#pragma once

#include <string>

class InstallerLauncher {
  public:
    virtual ~InstallerLauncher() = default;

    // Opens the file in a normal window; false when it could not be started.
    virtual bool Start(const std::string& path) = 0;
};
