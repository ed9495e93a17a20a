// The state file "masq.tmp" that the tray program writes for the add-on, in the user's
// temporary folder, replaced whole at every write. Six lines, each ended by CR LF (a bare LF
// is taken too):
//   1  "1"                      the format
//   2  "-1" on | "0" off
//   3  node label               e.g. United States - Dallas #3 (empty when off)
//   4  bypass list              entries separated by ",", e.g. a.example,b.example,
//   5  proxy host               "127.0.0.1" (empty when off)
//   6  proxy port               e.g. "7070" (empty when off)
// The folder is writable by every program of the user, so the content is untrusted: anything
// but these six lines, or a proxy that is not on this machine, makes the file invalid, and
// an invalid file means "direct", told to the user as such.
#pragma once

#include <cstddef>
#include <string_view>

#include "firefox/host/proxy_state.h"

namespace firefox_host {

inline constexpr std::string_view kStateFileName = "masq.tmp";

// Far above any real file (a long bypass list); a reader never holds more than this plus one.
inline constexpr std::size_t kMaxStateFileSize = 64 * 1024;
inline constexpr std::size_t kMaxLabelSize = 256;

ProxyState ParseStateFile(std::string_view content);

}  // namespace firefox_host
