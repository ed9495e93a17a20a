// Gathers one message that may arrive in pieces, so that a parser can look at it whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace warden::socks {

class MessageAssembler {
  public:
    // `max_size`: the longest message the format allows; nothing beyond it is ever held.
    explicit MessageAssembler(std::size_t max_size) : max_size_(max_size) { bytes_.reserve(max_size); }

    // Appends as much of `input` as one message can still use; returns how many bytes that was.
    std::size_t Append(std::span<const std::uint8_t> input);

    std::span<const std::uint8_t> Bytes() const { return bytes_; }
    bool Full() const { return bytes_.size() == max_size_; }

    // The message ended after `message_size` held bytes. Returns how many bytes of the last
    // Append belonged to it (the rest is the caller's: whatever follows the message), and
    // starts over for the next message.
    std::size_t Finish(std::size_t message_size);

  private:
    std::size_t max_size_;
    std::size_t held_before_append_ = 0;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace warden::socks
