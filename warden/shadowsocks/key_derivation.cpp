#include "warden/shadowsocks/key_derivation.h"

#include <gcrypt.h>

#include <memory>
#include <stdexcept>

#include "warden/shadowsocks/crypto_library.h"

namespace warden::shadowsocks {

namespace {

struct HashCloser {
    void operator()(gcry_md_hd_t hash) const { gcry_md_close(hash); }
};
using Hash = std::unique_ptr<std::remove_pointer_t<gcry_md_hd_t>, HashCloser>;

Hash OpenHmacSha1(std::span<const std::uint8_t> key) {
    StartCryptoLibrary();
    gcry_md_hd_t hash = nullptr;
    if (gcry_md_open(&hash, GCRY_MD_SHA1, GCRY_MD_FLAG_HMAC) || gcry_md_setkey(hash, key.data(), key.size())) {
        gcry_md_close(hash);
        throw std::runtime_error("HMAC-SHA1 is not available");
    }
    return Hash(hash);
}

constexpr std::size_t kSha1Size = 20;
constexpr std::size_t kMd5Size = 16;

}  // namespace

Bytes PasswordKey(std::string_view password, std::size_t size) {
    StartCryptoLibrary();
    Bytes key;
    Bytes round;  // Di-1, then password
    while (key.size() < size) {
        round.insert(round.end(), password.begin(), password.end());
        std::uint8_t digest[kMd5Size];
        gcry_md_hash_buffer(GCRY_MD_MD5, digest, round.data(), round.size());
        round.assign(digest, digest + kMd5Size);
        key.insert(key.end(), digest, digest + kMd5Size);
    }
    key.resize(size);
    return key;
}

Bytes HkdfSha1(std::span<const std::uint8_t> key_material,
               std::span<const std::uint8_t> salt,
               std::string_view info,
               std::size_t size) {
    // Extract: PRK = HMAC(salt, key material). Expand: T(i) = HMAC(PRK, T(i-1) info i).
    const Hash extract = OpenHmacSha1(salt);
    gcry_md_write(extract.get(), key_material.data(), key_material.size());
    const std::span<const std::uint8_t> prk(gcry_md_read(extract.get(), GCRY_MD_SHA1), kSha1Size);
    const Hash expand = OpenHmacSha1(prk);
    Bytes output;
    for (std::uint8_t round = 1; output.size() < size; ++round) {
        if (round > 1) {
            const Bytes previous(output.end() - kSha1Size, output.end());
            gcry_md_reset(expand.get());
            gcry_md_write(expand.get(), previous.data(), previous.size());
        }
        gcry_md_write(expand.get(), info.data(), info.size());
        gcry_md_putc(expand.get(), round);
        const std::uint8_t* block = gcry_md_read(expand.get(), GCRY_MD_SHA1);
        output.insert(output.end(), block, block + kSha1Size);
    }
    output.resize(size);
    return output;
}

Bytes SessionSubkey(std::span<const std::uint8_t> password_key, std::span<const std::uint8_t> salt) {
    return HkdfSha1(password_key, salt, "ss-subkey", password_key.size());
}

}  // namespace warden::shadowsocks
