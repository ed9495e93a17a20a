// One direction's AEAD cipher: the method's cipher keyed with the direction's subkey, sealing
// or opening one piece at a time (a chunk's length, then its payload) with nonces counted up
// from zero, as the protocol numbers them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "warden/shadowsocks/method.h"

struct gcry_cipher_handle;

namespace warden::shadowsocks {

class AeadCipher {
  public:
    AeadCipher(const Method& method, std::span<const std::uint8_t> subkey);

    // Encrypts `data` in place and writes its tag; the next nonce follows.
    void Seal(std::span<std::uint8_t> data, std::span<std::uint8_t, kTagSize> tag);
    // Decrypts `data` in place; false when the tag does not match (then `data` must not be
    // used). The next nonce follows either way: a fault ends the stream.
    [[nodiscard]] bool Open(std::span<std::uint8_t> data, std::span<const std::uint8_t, kTagSize> tag);

  private:
    struct Closer {
        void operator()(gcry_cipher_handle* handle) const;
    };

    void NextNonce();

    std::unique_ptr<gcry_cipher_handle, Closer> handle_;
    std::array<std::uint8_t, kNonceSize> nonce_{};  // little-endian counter
};

}  // namespace warden::shadowsocks
