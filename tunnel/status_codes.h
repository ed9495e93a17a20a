// What each of the tunnel client's status codes means to the session: the log text and the
// reaction. Codes are compared exactly; an unknown code (an empty one too) is logged as it is.
#pragma once

#include <string>
#include <string_view>

enum class StatusReaction {
    LogOnly,
    Silent,               // logged nowhere
    TunnelReady,          // established: the browsers go on the proxy, the on state
    ConnectedToNode,      // not (yet) established
    CannotReachInternet,  // the unblock advice, then the off state
    FailureBox,           // an error box, then the off state
};

struct StatusCodeRow {
    std::string_view code;
    std::string_view logText;
    StatusReaction reaction = StatusReaction::LogOnly;
    std::string_view boxText;  // FailureBox: the message shown
    std::string_view offText;  // CannotReachInternet, FailureBox: the off state's message
};

// The code of an entry: its first six characters, or the whole entry when it is shorter.
std::string_view StatusCodeOf(std::string_view entry);

// The row of `code`; for an unknown code, a log-only row whose text is the code itself.
StatusCodeRow StatusRowOf(std::string_view code);
