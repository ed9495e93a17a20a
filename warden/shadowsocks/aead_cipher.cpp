#include "warden/shadowsocks/aead_cipher.h"

#include <gcrypt.h>

#include <stdexcept>

#include "warden/shadowsocks/crypto_library.h"

namespace warden::shadowsocks {

void AeadCipher::Closer::operator()(gcry_cipher_handle* handle) const {
    gcry_cipher_close(handle);
}

AeadCipher::AeadCipher(const Method& method, std::span<const std::uint8_t> subkey) {
    StartCryptoLibrary();
    gcry_cipher_hd_t handle = nullptr;
    if (gcry_cipher_open(&handle, method.algorithm, method.mode, 0))
        throw std::runtime_error("cipher not available");
    handle_.reset(handle);
    if (gcry_cipher_setkey(handle, subkey.data(), subkey.size()))
        throw std::runtime_error("cipher refused its key");
}

void AeadCipher::Seal(std::span<std::uint8_t> data, std::span<std::uint8_t, kTagSize> tag) {
    gcry_cipher_setiv(handle_.get(), nonce_.data(), nonce_.size());
    gcry_cipher_encrypt(handle_.get(), data.data(), data.size(), nullptr, 0);
    gcry_cipher_gettag(handle_.get(), tag.data(), tag.size());
    NextNonce();
}

bool AeadCipher::Open(std::span<std::uint8_t> data, std::span<const std::uint8_t, kTagSize> tag) {
    gcry_cipher_setiv(handle_.get(), nonce_.data(), nonce_.size());
    gcry_cipher_decrypt(handle_.get(), data.data(), data.size(), nullptr, 0);
    const bool authentic = gcry_cipher_checktag(handle_.get(), tag.data(), tag.size()) == 0;
    NextNonce();
    return authentic;
}

void AeadCipher::NextNonce() {
    for (std::uint8_t& byte : nonce_) {
        if (++byte != 0)
            break;
    }
}

}  // namespace warden::shadowsocks
