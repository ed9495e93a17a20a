#include "common/cng_makers_crypto_win.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/driver/files.h"
#include "win/settings/scratch_folder.h"

namespace {

std::string Hex(const Sha256Digest& digest) {
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (std::uint8_t b : digest)
        hex += {kHex[b >> 4], kHex[b & 15]};
    return hex;
}

std::string Vector(const std::string& name) {
    return driver::WindowsPathOf(MAKERS_KEY_VECTORS "/" + name);
}

TEST(CngMakersCrypto, HashesBytesAndFilesToTheStandardSha256Vectors) {
    const struct {
        std::string bytes;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        // A million bytes: many reads, the last one short.
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    ScratchFolder scratch;
    CngMakersCrypto crypto;
    for (const auto& c : cases) {
        const std::string file = scratch.Path("vector.bin");
        WriteBytes(file, c.bytes);
        const auto digest = crypto.FileSha256(file);
        ASSERT_TRUE(digest) << c.bytes.size();
        EXPECT_EQ(Hex(*digest), c.digest) << c.bytes.size();
        const auto inMemory = crypto.Sha256(c.bytes);
        ASSERT_TRUE(inMemory) << c.bytes.size();
        EXPECT_EQ(Hex(*inMemory), c.digest) << c.bytes.size();
    }
    EXPECT_EQ(crypto.FileSha256(scratch.Path("missing.bin")), std::nullopt);
}

class MakersSignatureTest : public testing::Test {
  protected:
    MakersSignatureTest() : digest_(*crypto_.FileSha256(Vector("signed.bin"))) {}
    bool Accepts(const std::string& signature) { return crypto_.IsMakersSignature(digest_, signature); }
    static std::string Signature(const std::string& name) { return driver::ReadFile(Vector(name)).value(); }

    CngMakersCrypto crypto_;  // the key this test build was made with
    Sha256Digest digest_;
};

TEST_F(MakersSignatureTest, TheKeysOwnSignatureOfTheFileIsAccepted) {
    EXPECT_EQ(Signature("signed.bin.sig").size(), 384u);  // RSA-3072
    EXPECT_TRUE(Accepts(Signature("signed.bin.sig")));
}

TEST_F(MakersSignatureTest, AnyOtherSignatureIsRefused) {
    const std::string good = Signature("signed.bin.sig");
    std::string flipped = good;
    flipped[100] ^= 0x01;
    const struct {
        const char* name;
        std::string signature;
    } cases[] = {
        {"another key", Signature("other-key.sig")},
        {"PKCS #1 v1.5 padding", Signature("pkcs1.sig")},
        {"one bit changed", flipped},
        {"cut short", good.substr(0, good.size() - 1)},
        {"one byte more", good + '\0'},
        {"empty", ""},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(Accepts(c.signature)) << c.name;

    // The right signature over other bytes.
    Sha256Digest other = digest_;
    other[0] ^= 0x80;
    EXPECT_FALSE(crypto_.IsMakersSignature(other, good));
}

}  // namespace
