// Port: the active dial-up (RAS) connections, through which the system reaches the Internet
// instead of the LAN while any is up.
#pragma once

#include <optional>
#include <string>
#include <vector>

class DialUpConnections {
  public:
    virtual ~DialUpConnections() = default;
    // The entry names of the active connections, in the system's order; nullopt when the system
    // could not list them (no dial-up service, or more of them than the list takes).
    virtual std::optional<std::vector<std::string>> ActiveEntryNames() const = 0;
};
