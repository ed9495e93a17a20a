// Relay buffers, lent while bytes are in flight and given back as soon as a socket runs dry,
// so that an idle tunnel holds none. A few spares are kept so that a busy relay does not
// allocate for every read.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

namespace warden::net {

class BufferPool {
  public:
    using Buffer = std::unique_ptr<std::byte[]>;

    BufferPool(std::size_t buffer_size, std::size_t spares_kept);

    Buffer Take();
    void Give(Buffer buffer);

    std::size_t buffer_size() const { return buffer_size_; }

  private:
    std::size_t buffer_size_;
    std::size_t spares_kept_;
    std::vector<Buffer> spares_;
};

}  // namespace warden::net
