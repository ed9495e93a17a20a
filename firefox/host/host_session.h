// The host's logic: watches the state file and tells the add-on each change, and answers the
// add-on's requests. The caller calls Tick every kPollInterval and Receive with the add-on's
// bytes; both say whether the host goes on.
//
// A state is told once two reads in a row agree, so that a file caught half-written by the
// program never reaches Firefox: a change is told within two intervals.
//
// Requests (JSON strings): "state" asks for the current state at once (read now, told even
// when unchanged); the add-on sends it when it connects and when the user looks at it.
// Anything else gets {"error":"unknown request"}.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>

#include "firefox/host/host_ports.h"
#include "firefox/host/native_messages.h"
#include "firefox/host/proxy_state.h"
#include "firefox/host/state_message.h"

namespace firefox_host {

inline constexpr std::chrono::milliseconds kPollInterval{250};

class HostSession {
  public:
    HostSession(StateFileSource& file, MessageSink& addon, TextDecoder decode)
        : file_(file), addon_(addon), decode_(decode) {}

    [[nodiscard]] bool Tick();
    [[nodiscard]] bool Receive(std::span<const std::uint8_t> bytes);

  private:
    ProxyState ReadState();
    bool Tell(const ProxyState& state);
    bool Answer(std::string_view request);

    StateFileSource& file_;
    MessageSink& addon_;
    TextDecoder decode_;
    RequestReader requests_;
    std::optional<ProxyState> last_read_;
    std::optional<ProxyState> told_;
};

}  // namespace firefox_host
