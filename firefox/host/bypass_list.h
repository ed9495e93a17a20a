// Line 4 of the state file: the sites the user wants reached directly, entries separated by
// ",", with empty elements and a trailing comma as the program writes them. Each entry is
// trimmed and lower-cased; entries that cannot name a host (a scheme, a path, blanks inside,
// non-ASCII) are dropped and counted, so that a typo sends a site through the tunnel, never
// around it.
//   kept forms: host.example, .example / *.example (subdomains), 10.* (wildcards), 192.0.2.7,
//               [::1], <local> (names without a dot)
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace firefox_host {

inline constexpr std::size_t kMaxBypassEntries = 1000;
inline constexpr std::size_t kMaxBypassEntrySize = 255;

struct BypassList {
    std::vector<std::string> entries;
    std::size_t ignored = 0;
};

BypassList ParseBypassList(std::string_view line);

}  // namespace firefox_host
