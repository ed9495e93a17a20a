#include "firefox/host/native_messages.h"

#include <algorithm>

namespace firefox_host {

std::string Frame(std::string_view json) {
    const auto size = static_cast<std::uint32_t>(json.size());
    std::string framed;
    framed.reserve(4 + json.size());
    for (int shift = 0; shift < 32; shift += 8)
        framed += static_cast<char>((size >> shift) & 0xFF);
    framed += json;
    return framed;
}

RequestReader::Result RequestReader::Feed(std::span<const std::uint8_t> input) {
    if (invalid_)
        return {Event::kInvalid, 0};
    if (body_complete_) {  // the last message was taken: start the next one
        body_complete_ = false;
        body_.clear();
        length_held_ = 0;
    }
    std::size_t used = 0;
    if (length_held_ < length_bytes_.size()) {
        const std::size_t take = std::min(input.size(), length_bytes_.size() - length_held_);
        std::copy_n(input.begin(), take, length_bytes_.begin() + static_cast<std::ptrdiff_t>(length_held_));
        length_held_ += take;
        used += take;
        if (length_held_ < length_bytes_.size())
            return {Event::kNeedMore, used};
        body_size_ = 0;
        for (std::size_t i = 0; i < length_bytes_.size(); ++i)
            body_size_ |= static_cast<std::size_t>(length_bytes_[i]) << (8 * i);
        if (body_size_ > kMaxRequestSize) {
            invalid_ = true;
            return {Event::kInvalid, used};
        }
    }
    const std::size_t take = std::min(input.size() - used, body_size_ - body_.size());
    body_.append(reinterpret_cast<const char*>(input.data() + used), take);
    used += take;
    if (body_.size() < body_size_)
        return {Event::kNeedMore, used};
    body_complete_ = true;
    return {Event::kMessage, used};
}

}  // namespace firefox_host
