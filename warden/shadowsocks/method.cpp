#include "warden/shadowsocks/method.h"

#include <gcrypt.h>

#include <algorithm>
#include <array>

namespace warden::shadowsocks {

namespace {
constexpr std::array kMethods{
    Method{"aes-128-gcm", GCRY_CIPHER_AES128, GCRY_CIPHER_MODE_GCM, 16},
    Method{"aes-256-gcm", GCRY_CIPHER_AES256, GCRY_CIPHER_MODE_GCM, 32},
    Method{"chacha20-ietf-poly1305", GCRY_CIPHER_CHACHA20, GCRY_CIPHER_MODE_POLY1305, 32},
};
}  // namespace

const Method* MethodNamed(std::string_view name) {
    const auto found = std::ranges::find(kMethods, name, &Method::name);
    return found == kMethods.end() ? nullptr : &*found;
}

}  // namespace warden::shadowsocks
