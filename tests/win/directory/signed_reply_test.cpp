// The directory reply's check with Windows CNG for real, against replies the test key signed by
// hand as the maker signs one (openssl, base64 on one line): every way a reply can fail to be
// the maker's is refused.
#include <gtest/gtest.h>

#include <string>

#include "common/cng_makers_crypto_win.h"
#include "directory/reply_check.h"
#include "tests/driver/files.h"

namespace {

std::string Read(const std::string& name) {
    return driver::ReadFile(driver::WindowsPathOf(SIGNED_REPLIES "/" + name)).value();
}

class SignedReplyTest : public testing::Test {
  protected:
    bool SignedByMaker(const std::string& reply) { return CheckReply(reply, crypto_).signedByMaker; }

    CngMakersCrypto crypto_;  // the key this test build was made with
    const std::string body_ = Read("reply.txt");
    const std::string signature_ = Read("reply.sig.b64");
    const std::string reply_ = body_ + "Signature=" + signature_ + "\r\n";
};

TEST_F(SignedReplyTest, TheMakersReplyIsTakenWithoutItsSignatureLine) {
    EXPECT_EQ(signature_.size(), 512u);  // RSA-3072: 384 bytes
    for (const std::string& reply : {reply_, body_ + "signature=" + signature_}) {
        const ReplyCheck check = CheckReply(reply, crypto_);
        EXPECT_TRUE(check.Accepted());
        EXPECT_EQ(check.signedText, body_);
    }
}

TEST_F(SignedReplyTest, AByteChangedAnywhereBeforeTheSignatureIsRefused) {
    for (std::size_t i = 0; i < body_.size(); ++i) {
        std::string changed = reply_;
        changed[i] ^= 0x01;
        EXPECT_FALSE(SignedByMaker(changed)) << i;
    }
}

TEST_F(SignedReplyTest, EveryOtherSignatureLineIsRefused) {
    const std::string other = Read("other.txt");
    std::string flipped = signature_;
    flipped[100] = flipped[100] == 'A' ? 'B' : 'A';
    const struct {
        const char* name;
        std::string reply;
    } cases[] = {
        {"a signature copied from another reply", other + "Signature=" + signature_ + "\r\n"},
        {"the other reply's own signature on this one", body_ + "Signature=" + Read("other.sig.b64") + "\r\n"},
        {"no signature line", body_},
        {"a line after the signature", reply_ + "C=1\r\n"},
        {"base64 garbage", body_ + "Signature=" + std::string(512, '*') + "\r\n"},
        {"one signature bit changed", body_ + "Signature=" + flipped + "\r\n"},
        {"a signature of the wrong length: one group more", body_ + "Signature=" + signature_ + "AAAA\r\n"},
        {"a signature of the wrong length: one group less", body_ + "Signature=" + signature_.substr(4) + "\r\n"},
        {"a signature line of a megabyte", body_ + "Signature=" + std::string(1 << 20, 'A') + "\r\n"},
        {"cut inside its signature", reply_.substr(0, reply_.size() - 100)},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(SignedByMaker(c.reply)) << c.name;
}

}  // namespace
