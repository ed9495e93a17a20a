#include "tunnel/status_codes.h"

#include <algorithm>
#include <array>

namespace {

using R = StatusReaction;

constexpr std::array kStatusCodes{
    StatusCodeRow{"160138", "Masq ON", R::TunnelReady},
    StatusCodeRow{"160036", "Searching..."},
    StatusCodeRow{"160032", "Connecting..."},
    StatusCodeRow{"160238", "Identifying"},
    StatusCodeRow{"160270", "Identifying"},
    StatusCodeRow{"160239", "Connected", R::ConnectedToNode},
    StatusCodeRow{"110033", "Connection time out"},
    StatusCodeRow{"171001", "Mission failed"},
    StatusCodeRow{"160244", "Identify failed"},
    StatusCodeRow{"160037", "Disconnected from Internet"},
    StatusCodeRow{"160207", "Destination not available"},
    StatusCodeRow{"160033", "Warden can not connect to the Internet", R::CannotReachInternet, "",
                  "Can not connect to the Internet"},
    StatusCodeRow{"160243", "SilentUpdate Error", R::FailureBox, "SilentUpdate Error. Please restart Masq NG.",
                  "SilentUpdate Error"},
    StatusCodeRow{"160325", "", R::Silent},
    StatusCodeRow{"160129", "", R::Silent},
    StatusCodeRow{"160034", "Connection Failed 160034", R::FailureBox,
                  "Connection Failed 160034. Please disable any firewall on the way and try again.",
                  "Connection Failed 160034"},
    StatusCodeRow{"160199", "Reconnect..."},
};

}  // namespace

std::string_view StatusCodeOf(std::string_view entry) {
    return entry.substr(0, 6);
}

StatusCodeRow StatusRowOf(std::string_view code) {
    auto found = std::ranges::find(kStatusCodes, code, &StatusCodeRow::code);
    if (found == kStatusCodes.end())
        return StatusCodeRow{code, code};
    return *found;
}
