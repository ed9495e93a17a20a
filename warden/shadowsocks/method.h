// The Shadowsocks AEAD methods warden speaks (SIP004), named as a Shadowsocks link names them:
// the node's "user" is the method's name and its key the password.
#pragma once

#include <cstddef>
#include <string_view>

namespace warden::shadowsocks {

struct Method {
    std::string_view name;
    int algorithm;         // libgcrypt's cipher
    int mode;              // libgcrypt's AEAD mode
    std::size_t key_size;  // of the password's key and of each session's subkey; also the salt's size
};

// The method of that name, or nullptr: any other name is a SOCKS5 node's user.
const Method* MethodNamed(std::string_view name);

inline constexpr std::size_t kTagSize = 16;
inline constexpr std::size_t kNonceSize = 12;
// The longest payload one chunk carries.
inline constexpr std::size_t kMaxPayload = 0x3FFF;
// A chunk's sealed length (two bytes and a tag) before its payload, and the payload's tag after it.
inline constexpr std::size_t kLengthBlock = 2 + kTagSize;
inline constexpr std::size_t kChunkOverhead = kLengthBlock + kTagSize;

}  // namespace warden::shadowsocks
