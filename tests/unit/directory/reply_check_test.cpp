#include "directory/reply_check.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_makers_crypto.h"
#include "tests/unit/directory/reply_text.h"

namespace {

const std::string kBody = ReplyText{}.Node("10", "192.0.2.5-7").Text();
const std::string kReply = Signed(kBody);

TEST(ReplyCheck, TheMakersSignedReplyIsTakenWithoutItsSignatureLine) {
    FakeMakersCrypto crypto;
    const struct {
        const char* name;
        std::string reply;
        std::string signedText;
    } cases[] = {
        {"CR LF", kReply, kBody},
        {"no line end after the signature", kBody + SignatureLineOf(kBody, ""), kBody},
        {"LF", "B=1\nC=0\nE=1\n" + SignatureLineOf("B=1\nC=0\nE=1\n", "\n"), "B=1\nC=0\nE=1\n"},
        {"CR", "B=1\rE=1\r" + SignatureLineOf("B=1\rE=1\r", "\r"), "B=1\rE=1\r"},
        {"the name in other letters", kBody + "SIGNATURE=" + SignatureLineOf(kBody).substr(10), kBody},
    };
    for (const auto& c : cases) {
        const ReplyCheck check = CheckReply(c.reply, crypto);
        EXPECT_TRUE(check.Accepted()) << c.name;
        EXPECT_EQ(check.signedText, c.signedText) << c.name;
    }
}

// Every byte the maker signed counts: the scrambled values, the markers and the line ends.
TEST(ReplyCheck, AByteChangedAnywhereBeforeTheSignatureIsNotTheMakers) {
    FakeMakersCrypto crypto;
    const std::string line = SignatureLineOf(kBody);
    for (std::size_t i = 0; i < kBody.size(); ++i) {
        std::string changed = kBody;
        changed[i] ^= 0x01;
        EXPECT_FALSE(CheckReply(changed + line, crypto).signedByMaker) << i;
    }
    // CR LF made LF, as a server that rewrites line ends would.
    std::string lf = kBody;
    std::erase(lf, '\r');
    EXPECT_FALSE(CheckReply(lf + line, crypto).signedByMaker);
}

TEST(ReplyCheck, AnythingButTheMakersSignatureAsTheLastLineIsRefused) {
    FakeMakersCrypto crypto;
    const std::string other = ReplyText{}.Node("10", "198.51.100.1").Text();
    const std::string signature = SignatureLineOf(kBody);
    const std::string value = signature.substr(10, signature.size() - 12);
    const struct {
        const char* name;
        std::string reply;
    } cases[] = {
        {"a signature copied from another reply", other + signature},
        {"no signature line", kBody},
        {"nothing but the signature line", signature},
        {"a line after the signature", kReply + "E=1\r\n"},
        {"an empty line after the signature", kReply + "\r\n"},
        {"a second signature line before it", kBody + signature + signature},
        {"a blank before the name", kBody + " " + signature},
        {"a blank after the value", kBody + "Signature=" + value + " \r\n"},
        {"base64 garbage", kBody + "Signature=!!not*base64!!\r\n"},
        {"base64 broken over two lines", kBody + "Signature=" + value.substr(0, 20) + "\r\n" + value.substr(20)},
        {"one byte too many", kBody + "Signature=" + Base64Of(FakeMakersCrypto::Sign(kBody) + '\0') + "\r\n"},
        {"one byte too few", kBody + "Signature=" + Base64Of(FakeMakersCrypto::Sign(kBody).substr(1)) + "\r\n"},
        {"an empty signature", kBody + "Signature=\r\n"},
        {"a signature line of a megabyte", kBody + "Signature=" + std::string(1 << 20, 'A') + "\r\n"},
        {"cut inside the signature", kReply.substr(0, kReply.size() - 20)},
        {"cut inside its name", kReply.substr(0, kBody.size() + 5)},
        {"cut before it", kBody},
    };
    for (const auto& c : cases) {
        const ReplyCheck check = CheckReply(c.reply, crypto);
        EXPECT_FALSE(check.signedByMaker) << c.name;
        EXPECT_FALSE(check.Accepted()) << c.name;
    }
}

// The markers count only in what the maker signed.
TEST(ReplyCheck, ASignedReplyWithoutBothMarkersIsIncomplete) {
    FakeMakersCrypto crypto;
    const std::string noEnd = "B=1\r\nC=0\r\n";
    const ReplyCheck check = CheckReply(Signed(noEnd), crypto);
    EXPECT_TRUE(check.signedByMaker);
    EXPECT_FALSE(check.complete);
    EXPECT_FALSE(check.Accepted());
    EXPECT_FALSE(IsReplyComplete("B=1\r\ne=1"));
    EXPECT_TRUE(IsReplyComplete("E=1 ... B=1"));
}

}  // namespace
