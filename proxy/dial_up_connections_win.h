// The active dial-up connections through RasEnumConnectionsA, into a list of ten connections.
#pragma once

#include "proxy/dial_up_connections.h"

class WinDialUpConnections final : public DialUpConnections {
  public:
    std::optional<std::vector<std::string>> ActiveEntryNames() const override;
};
