#include "warden/shadowsocks/key_derivation.h"

#include <gtest/gtest.h>

#include <string>

namespace warden::shadowsocks {
namespace {

Bytes FromHex(std::string_view hex) {
    Bytes bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    return bytes;
}

// Known answers of EVP_BytesToKey(MD5, one round, no salt), as `openssl enc -md md5 -nosalt -P`
// prints them: a key of one MD5 block, of two, and a password longer than a block.
TEST(KeyDerivation, PasswordKeyIsEvpBytesToKeyWithMd5) {
    EXPECT_EQ(PasswordKey("foobar", 16), FromHex("3858f62230ac3c915f300c664312c63f"));
    EXPECT_EQ(PasswordKey("foobar", 32), FromHex("3858f62230ac3c915f300c664312c63f568378529614d22ddb49237d2f60bfdf"));
    EXPECT_EQ(PasswordKey("a password that runs past one MD5 block", 32),
              FromHex("fbc5078a4602587f99153ab525cb5ac23b30592acc7ef1dbeae73a26a5cbf10d"));
}

// RFC 5869, test cases 4 and 7 (HMAC-SHA1): with salt and info, and with neither.
TEST(KeyDerivation, HkdfSha1GivesTheRfcVectors) {
    EXPECT_EQ(HkdfSha1(Bytes(11, 0x0b), FromHex("000102030405060708090a0b0c"),
                       std::string("\xf0\xf1\xf2\xf3\xf4\xf5\xf6\xf7\xf8\xf9"), 42),
              FromHex("085a01ea1b10f36933068b56efa5ad81a4f14b822f5b091568a9cdd4f155fda2c22e422478d305f3f896"));
    EXPECT_EQ(HkdfSha1(Bytes(22, 0x0c), {}, "", 42),
              FromHex("2c91117204d745f3500d636a62f64f0ab3bae548aa53d423b0d1f27ebba6f5e5673a081d70cce7acfc48"));
}

TEST(KeyDerivation, EachSaltGivesItsOwnSubkeyAsLongAsTheKey) {
    const Bytes key = PasswordKey("foobar", 32);
    const Bytes subkey = SessionSubkey(key, Bytes(32, 1));
    EXPECT_EQ(subkey.size(), 32U);
    EXPECT_EQ(subkey, HkdfSha1(key, Bytes(32, 1), "ss-subkey", 32));
    EXPECT_NE(subkey, SessionSubkey(key, Bytes(32, 2)));
}

}  // namespace
}  // namespace warden::shadowsocks
