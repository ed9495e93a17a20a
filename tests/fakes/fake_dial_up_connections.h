// The active dial-up connections as the test lists them, or a listing that fails.
#pragma once

#include "proxy/dial_up_connections.h"

class FakeDialUpConnections final : public DialUpConnections {
  public:
    std::vector<std::string> active;
    bool fails = false;

    std::optional<std::vector<std::string>> ActiveEntryNames() const override {
        if (fails)
            return std::nullopt;
        return active;
    }
};
