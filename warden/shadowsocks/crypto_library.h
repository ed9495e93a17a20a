// libgcrypt, started once before its first use, and the random bytes warden takes from it.
#pragma once

#include <cstdint>
#include <span>

namespace warden::shadowsocks {

// Checks the library's version and finishes its set-up; later calls do nothing. Throws when the
// library is older than the header warden was built with.
void StartCryptoLibrary();

// Unpredictable bytes from the library's strong generator (the salts).
void RandomBytes(std::span<std::uint8_t> bytes);

}  // namespace warden::shadowsocks
