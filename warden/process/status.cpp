#include "warden/process/status.h"

#include <algorithm>
#include <array>

namespace warden {

namespace {

struct StatusRow {
    Status status;
    std::string_view code;
    std::string_view text;
};

constexpr std::array kStatusRows{
    StatusRow{Status::kSearching, "160036", "Searching for the node"},
    StatusRow{Status::kConnecting, "160032", "Connecting"},
    StatusRow{Status::kConnected, "160239", "Connected to the node"},
    StatusRow{Status::kIdentifying, "160238", "Identifying"},
    StatusRow{Status::kReady, "160138", "Ready"},
    StatusRow{Status::kAuthRefused, "160244", "Node refused the credentials"},
    StatusRow{Status::kTimedOut, "110033", "Timed out"},
    StatusRow{Status::kNodeUnreachable, "160207", "Node refused or unreachable"},
    StatusRow{Status::kNoNetwork, "160033", "No network"},
    StatusRow{Status::kNodeLost, "160037", "Node lost"},
    StatusRow{Status::kReconnecting, "160199", "Reconnecting"},
    StatusRow{Status::kLocalFault, "171001", "Local fault"},
    StatusRow{Status::kBadOptions, "160243", "Bad command line"},
    StatusRow{Status::kStopped, "160325", "Stopped"},
};

constexpr auto kAllStatuses = [] {
    std::array<Status, kStatusRows.size()> statuses{};
    std::ranges::transform(kStatusRows, statuses.begin(), &StatusRow::status);
    return statuses;
}();

const StatusRow& RowOf(Status status) {
    return *std::ranges::find(kStatusRows, status, &StatusRow::status);
}

}  // namespace

std::string StatusLine(Status status, std::string_view detail) {
    const StatusRow& row = RowOf(status);
    std::string line{row.code};
    line += ' ';
    line += row.text;
    if (!detail.empty()) {
        line += ": ";
        line += detail;
    }
    line.resize(std::min(line.size(), kMaxStatusLine - 1));
    line += '\n';
    return line;
}

std::string_view StatusCode(Status status) {
    return RowOf(status).code;
}

std::span<const Status> AllStatuses() {
    return kAllStatuses;
}

}  // namespace warden
