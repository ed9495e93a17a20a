// Firefox's native messaging on the host's standard input and output: every message is a
// 32-bit length in the machine's byte order (little-endian on every platform we build for),
// then that many bytes of UTF-8 JSON. Firefox closes the host's input when the add-on lets go.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace firefox_host {

// The add-on's requests are a few bytes; a longer one is not from it.
inline constexpr std::size_t kMaxRequestSize = 1024;

// One message as it goes to Firefox: length, then the JSON text.
std::string Frame(std::string_view json);

// Takes the add-on's bytes as they arrive and stops at each whole message. A length beyond
// kMaxRequestSize leaves the stream without a way back into step: the reader then stays
// invalid, and the host ends.
class RequestReader {
  public:
    enum class Event { kNeedMore, kMessage, kInvalid };
    struct Result {
        Event event;
        std::size_t consumed;  // bytes of the input used; the rest belongs to the next message
    };

    Result Feed(std::span<const std::uint8_t> input);

    std::string_view message() const { return body_; }  // after kMessage, until the next Feed

  private:
    std::array<std::uint8_t, 4> length_bytes_{};
    std::size_t length_held_ = 0;
    std::size_t body_size_ = 0;
    std::string body_;
    bool body_complete_ = false;
    bool invalid_ = false;
};

}  // namespace firefox_host
