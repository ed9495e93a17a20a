// The six-digit status lines warden prints on standard output, and its exit codes. The tray
// program reads the pipe once a second, at most 255 bytes at a time, and a line cut by a read
// counts as two lines: so lines are short, and a whole start-up fits in one read.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace warden {

enum class Status {
    kSearching,        // 160036
    kConnecting,       // 160032
    kConnected,        // 160239 (only before kReady: the tray program resets its session on it)
    kIdentifying,      // 160238
    kReady,            // 160138
    kAuthRefused,      // 160244
    kTimedOut,         // 110033
    kNodeUnreachable,  // 160207
    kNoNetwork,        // 160033
    kNodeLost,         // 160037
    kReconnecting,     // 160199
    kLocalFault,       // 171001
    kBadOptions,       // 160243
    kStopped,          // 160325 (the tray program ignores it; it ends warden by itself)
};

// Longest line, line feed included.
inline constexpr std::size_t kMaxStatusLine = 64;

// "<code> <text>[: <detail>]\n", cut to kMaxStatusLine.
std::string StatusLine(Status status, std::string_view detail = {});

// The six digits alone.
std::string_view StatusCode(Status status);

// Every status warden can print, in the order of the enumeration.
std::span<const Status> AllStatuses();

// How warden ends: 0 only for a requested stop.
enum class ExitCode {
    kStopped = 0,
    kNodeFailedAtStart = 1,
    kBadOptions = 2,
    kLocalFault = 3,
    kNodeLost = 4,
};

}  // namespace warden
