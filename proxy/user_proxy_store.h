// The user's own proxy options of each connection the program changes, kept in the program's
// records (userproxy.ini beside masq.ini) from before the program's first change to the
// connection until they are put back, so that they survive a crash of the program or of
// Windows. Section "UserProxy", four keys per
// connection, named after it ("LAN" for the LAN, "Dial-up " + the entry name for a dial-up
// entry):
//   [UserProxy]
//   LAN.Flags=3
//   LAN.Server=proxy.example:8080
//   LAN.Bypass=<local>
//   LAN.Saved=1
// "Saved" is written last and is the only mark that a record holds: 1 while the connection
// carries the program's proxy over the options above, 0 once they are back. Names and values
// are stored with %XX for the bytes a settings file would trim, unquote or split on (blanks and
// control bytes, % " ' =), so every text comes back exactly.
// Firefox's user.js in "Restart Firefox" mode has a record of the same kind: the user.js the
// program wrote, where the user's own file was kept before (empty: the user had none), and the
// mark, 1 while the program's file stands in place of the user's:
//   Firefox.UserJs=C:\Users\me\AppData\Roaming\Mozilla\Firefox\Profiles\ab12.default-release\user.js
//   Firefox.Backup=C:\Users\me\AppData\Roaming\Mozilla\Firefox\Profiles\ab12.default-release\user.js.first
//   Firefox.Saved=1
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "proxy/connection_options.h"

class SettingsStore;

// The program's user.js in place of what the user had there.
struct ReplacedUserJs {
    std::string userJs;  // the file the program wrote
    std::string backup;  // the user's own file, kept; empty when the user had none
    bool operator==(const ReplacedUserJs&) const = default;
};

class UserProxyStore {
  public:
    explicit UserProxyStore(SettingsStore& records) : records_(records) {}

    // The saved options of `connection` ("" for the LAN); nullopt when none are kept.
    std::optional<ConnectionProxy> Saved(std::string_view connection) const;
    // Keeps `proxy` as the connection's own options, the mark last.
    void Save(std::string_view connection, const ConnectionProxy& proxy);
    // The options are back on the connection: the record no longer holds.
    void Forget(std::string_view connection);

    // The same for Firefox's user.js: nullopt when no program's file stands in the user's place.
    std::optional<ReplacedUserJs> SavedUserJs() const;
    void SaveUserJs(const ReplacedUserJs& replaced);
    void ForgetUserJs();

  private:
    SettingsStore& records_;
};

// Moves a "UserProxy" section that an earlier version kept in masq.ini (`settings`) into the
// records, whose keys it replaces (only a run of that version can have written it since), and
// takes it out of masq.ini: a record of a run that crashed is put back by this run as ever.
// Nothing is written when masq.ini has no such section.
void MoveUserProxyRecords(SettingsStore& settings, SettingsStore& records);
