// What can go wrong with the node beyond what sockets report, and the status line that tells
// the tray program about any failure to reach or use the node.
#pragma once

#include <system_error>

#include "warden/process/status.h"

namespace warden {

enum class NodeError {
    kAuthRefused = 1,  // bad credentials, or the node accepts neither method warden offers
    kBadReply,         // the node does not speak its protocol as it should
    kTimedOut,         // a step took longer than warden allows
    kKeyNotTaken,      // a Shadowsocks node stayed silent to a request sealed with warden's key
};

std::error_code make_error_code(NodeError error);

Status NodeFailureStatus(std::error_code error);

}  // namespace warden

template <>
struct std::is_error_code_enum<warden::NodeError> : std::true_type {};
