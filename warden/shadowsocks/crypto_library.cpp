#include "warden/shadowsocks/crypto_library.h"

#include <gcrypt.h>

#include <stdexcept>

namespace warden::shadowsocks {

void StartCryptoLibrary() {
    static const bool started = [] {
        if (!gcry_check_version(GCRYPT_VERSION))
            throw std::runtime_error("libgcrypt is older than " GCRYPT_VERSION);
        // warden keeps no long-term secret worth locked memory; the password's key lives as
        // long as the process anyway.
        gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
        gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
        return true;
    }();
    (void)started;
}

void RandomBytes(std::span<std::uint8_t> bytes) {
    StartCryptoLibrary();
    gcry_randomize(bytes.data(), bytes.size(), GCRY_STRONG_RANDOM);
}

}  // namespace warden::shadowsocks
