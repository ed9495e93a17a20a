#include "warden/socks/message_assembler.h"

#include <algorithm>

namespace warden::socks {

std::size_t MessageAssembler::Append(std::span<const std::uint8_t> input) {
    held_before_append_ = bytes_.size();
    const std::size_t taken = std::min(input.size(), max_size_ - bytes_.size());
    bytes_.insert(bytes_.end(), input.begin(), input.begin() + static_cast<std::ptrdiff_t>(taken));
    return taken;
}

std::size_t MessageAssembler::Finish(std::size_t message_size) {
    const std::size_t from_last_append = message_size - held_before_append_;
    bytes_.clear();
    held_before_append_ = 0;
    return from_last_append;
}

}  // namespace warden::socks
