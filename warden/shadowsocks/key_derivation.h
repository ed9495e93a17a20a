// The two key derivations of the Shadowsocks AEAD protocol, made of libgcrypt's MD5, SHA-1 and
// HMAC: the password's key, once per run, and each connection's subkey from its salt.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace warden::shadowsocks {

using Bytes = std::vector<std::uint8_t>;

// EVP_BytesToKey with MD5, one round and no salt: D1 = MD5(password), Di = MD5(Di-1 password),
// their concatenation cut to `size`.
Bytes PasswordKey(std::string_view password, std::size_t size);

// HKDF with HMAC-SHA1 (RFC 5869): `size` bytes from the key material, salt and info.
Bytes HkdfSha1(std::span<const std::uint8_t> key_material,
               std::span<const std::uint8_t> salt,
               std::string_view info,
               std::size_t size);

// A direction's subkey: HKDF-SHA1 of the password's key with the direction's salt, info
// "ss-subkey", as long as the key.
Bytes SessionSubkey(std::span<const std::uint8_t> password_key, std::span<const std::uint8_t> salt);

}  // namespace warden::shadowsocks
