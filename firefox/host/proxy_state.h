// What the add-on is told: Firefox on the local proxy, or direct and why.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace firefox_host {

enum class Standing {
    kOn,          // line 2 "-1" and a usable proxy: every request through it, bypass list aside
    kCleared,     // line 2 "0": the program has turned hiding off
    kMissing,     // no state file: the program has not written one
    kUnreadable,  // the file exists but cannot be read
    kInvalid,     // the file was read but is not the program's six lines
};

// Why a state file is invalid; ProblemText gives the words the add-on shows.
enum class Problem {
    kNone,
    kTooLarge,
    kNotSixLines,
    kUnknownFormat,
    kUnknownSwitch,
    kBadLabel,
    kProxyNotLoopback,
    kBadPort,
};

struct ProxyState {
    Standing standing = Standing::kMissing;
    std::string label;  // the node's label, still in the file's 8-bit code page (kOn only)
    std::string host;   // a loopback IPv4 address (kOn only)
    std::uint16_t port = 0;
    std::vector<std::string> bypass;   // normalised entries (kOn only)
    std::size_t ignored_bypass = 0;    // entries dropped as unusable (kOn only)
    Problem problem = Problem::kNone;  // kInvalid only

    bool operator==(const ProxyState&) const = default;
};

}  // namespace firefox_host
