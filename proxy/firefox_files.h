// The contents of the files that set Firefox's proxy, built and recognised without touching a
// disk: the profile's user.js, the add-on's state file masq.tmp, and what Firefox's own prefs.js
// still holds.
#pragma once

#include <string>
#include <string_view>

// A server text "host:port" split at its first colon.
struct ServerParts {
    std::string host;
    std::string port;
    bool operator==(const ServerParts&) const = default;
};
ServerParts SplitServer(std::string_view server);

// user.js for "Restart Firefox" mode, lines ended by CR LF: 13 lines that set the SOCKS proxy
// `server` with `bypass` as the hosts to reach directly, or the 12 lines that turn the proxy
// off. Texts go into the preferences' strings escaped, so that they stay one value each.
std::string UserJsText(bool enable, std::string_view server, std::string_view bypass);

// The state file for the add-on of "Plugin Mode": six lines ended by CR LF. Clearing leaves
// "1", "0" and four empty lines.
std::string PluginFileText(bool enable, std::string_view server, std::string_view nodeLabel, std::string_view bypass);

// Who wrote a user.js: this program, with the proxy on or off, or someone else.
enum class UserJsKind { Foreign, OursProxyOn, OursProxyOff };
UserJsKind ClassifyUserJs(std::string_view text);

// Whether Firefox's prefs.js records the SOCKS proxy `server` ("host:port") as its proxy: what
// it keeps after it read a user.js of this program that turned the proxy on.
bool PrefsHoldProxy(std::string_view prefsJs, std::string_view server);
