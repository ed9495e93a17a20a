// One place among the local connections warden serves at once (handshaking or relaying).
// The count is shared with the listener, which stops accepting while every place is taken.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>

namespace warden::net {

class ConnectionSlot {
  public:
    explicit ConnectionSlot(std::shared_ptr<std::size_t> in_use) : in_use_(std::move(in_use)) { ++*in_use_; }
    ~ConnectionSlot() {
        if (in_use_)
            --*in_use_;
    }
    ConnectionSlot(ConnectionSlot&&) noexcept = default;
    ConnectionSlot& operator=(ConnectionSlot&&) = delete;
    ConnectionSlot(const ConnectionSlot&) = delete;
    ConnectionSlot& operator=(const ConnectionSlot&) = delete;

  private:
    std::shared_ptr<std::size_t> in_use_;
};

}  // namespace warden::net
