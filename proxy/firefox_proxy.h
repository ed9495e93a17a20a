// Firefox's proxy, which Firefox does not take from the system: "Plugin Mode" writes the state
// file that a Firefox add-on applies in the running browser; "Restart Firefox" writes user.js in
// the profile Firefox starts with, which Firefox reads at its next start.
//
// A user.js of the user's own is never lost: it is left alone whenever the program does not put
// Firefox on its proxy; before the program's file replaces it, it is copied beside it under a name
// no earlier backup holds (user.js.first, or user.js.first.2 and on when that is taken) and the
// copy is read back; the program's records name that copy; and when the program's file goes, the
// user's comes back byte for byte.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "proxy/user_proxy_store.h"
#include "settings/program_values.h"

class BrowserFiles;
class MessageBoxes;
class SettingsStore;
class WindowTitles;

struct FirefoxPorts {
    BrowserFiles& files;
    const WindowTitles& windows;
    MessageBoxes& messages;
    SettingsStore& records;  // where the user's own user.js was kept
};

class FirefoxProxy {
  public:
    FirefoxProxy(const ProgramValues& values, FirefoxPorts ports);

    // user.js with the proxy on `server` ("host:port"), the user's own file kept first; or, to
    // take the proxy off, the program's file taken back (see DeleteFirefoxUserJs). Open Firefox
    // windows are asked to restart whenever a file that changes the proxy was written.
    void WriteFirefoxUserJs(bool enable, std::string_view server, std::string_view nodeLabel, std::string_view bypass);
    // masq.tmp in the temporary folder; a file that cannot be written is told.
    void WriteFirefoxPluginFile(bool enable,
                                std::string_view server,
                                std::string_view nodeLabel,
                                std::string_view bypass);
    // Takes away the user.js that this program wrote, once Firefox can no longer have taken the
    // proxy from it: one that turns the proxy on becomes the clearing form, so that Firefox goes
    // direct at its next start, and the clearing form goes when no Firefox window is open and
    // prefs.js no longer names the local proxy; the user's own file then comes back. A user.js
    // of the user's own stays.
    void DeleteFirefoxUserJs();
    // The folder, ending in a backslash, of the profile Firefox starts with (profiles.ini and
    // installs.ini); without a usable profiles.ini the first "*.default" profile. Empty when
    // there is none.
    std::string GetFirefoxProfileFolder() const;
    // Whether a top-level window's title contains `text`, letters compared without case.
    bool FindWindowByTitle(std::string_view text) const;

  private:
    // The program's user.js taken back; `tellRestart`: open Firefox windows are asked to restart
    // when the clearing form is written.
    void TakeBackUserJs(bool tellRestart);
    // Keeps the user's own `userJs` before the program's file replaces it; false when it could
    // not be kept safely.
    bool KeepUsersUserJs(const std::string& userJs);
    // The program's `userJs` goes and the user's own comes back, as `replaced` (or, without a
    // record, an earlier version's backup) says.
    void PutBackUsersUserJs(const std::string& userJs, const std::optional<ReplacedUserJs>& replaced);
    bool WriteClearingUserJs(const std::string& userJs, const std::optional<ReplacedUserJs>& replaced);
    void ShowRestartFirefox();
    void ShowCanNotChange();

    const ProgramValues& values_;
    FirefoxPorts ports_;
    UserProxyStore records_;
};
