#include "warden/net/buffer_pool.h"

namespace warden::net {

BufferPool::BufferPool(std::size_t buffer_size, std::size_t spares_kept)
    : buffer_size_(buffer_size), spares_kept_(spares_kept) {
    spares_.reserve(spares_kept);
}

BufferPool::Buffer BufferPool::Take() {
    if (spares_.empty())
        return std::make_unique_for_overwrite<std::byte[]>(buffer_size_);
    Buffer buffer = std::move(spares_.back());
    spares_.pop_back();
    return buffer;
}

void BufferPool::Give(Buffer buffer) {
    if (buffer && spares_.size() < spares_kept_)
        spares_.push_back(std::move(buffer));
}

}  // namespace warden::net
