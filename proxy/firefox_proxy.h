// Firefox's proxy, which Firefox does not take from the system: "Plugin Mode" writes the state
// file that a Firefox add-on applies in the running browser; "Restart Firefox" writes user.js in
// the profile Firefox starts with, which Firefox reads at its next start.
#pragma once

#include <string>
#include <string_view>

#include "settings/program_values.h"

class BrowserFiles;
class MessageBoxes;
class WindowTitles;

struct FirefoxPorts {
    BrowserFiles& files;
    const WindowTitles& windows;
    MessageBoxes& messages;
};

class FirefoxProxy {
  public:
    FirefoxProxy(const ProgramValues& values, FirefoxPorts ports);

    // user.js with the proxy on `server` ("host:port") or off; the user's first user.js is kept
    // beside it as user.js.first. Open Firefox windows are asked to restart.
    void WriteFirefoxUserJs(bool enable, std::string_view server, std::string_view nodeLabel, std::string_view bypass);
    // masq.tmp in the temporary folder.
    void WriteFirefoxPluginFile(bool enable,
                                std::string_view server,
                                std::string_view nodeLabel,
                                std::string_view bypass);
    // Takes away the user.js that this program wrote, once Firefox can no longer have taken the
    // proxy from it: one that turns the proxy on becomes the clearing form, so that Firefox goes
    // direct at its next start, and the clearing form goes when no Firefox window is open and
    // prefs.js no longer names the local proxy. A user.js of the user's own stays.
    void DeleteFirefoxUserJs();
    // The folder, ending in a backslash, of the profile Firefox starts with (profiles.ini and
    // installs.ini); without a usable profiles.ini the first "*.default" profile. Empty when
    // there is none.
    std::string GetFirefoxProfileFolder() const;
    // Whether a top-level window's title contains `text`, letters compared without case.
    bool FindWindowByTitle(std::string_view text) const;

  private:
    void ShowCanNotChange();

    const ProgramValues& values_;
    FirefoxPorts ports_;
};
