#include "directory/md5.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Md5, MatchesTheVectorsOfRfc1321) {
    const struct {
        const char* text;
        const char* digest;
    } vectors[] = {
        {"", "D41D8CD98F00B204E9800998ECF8427E"},
        {"a", "0CC175B9C0F1B6A831C399E269772661"},
        {"abc", "900150983CD24FB0D6963F7D28E17F72"},
        {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
        {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "D174AB98D277D9F5A5611C2C9F419D9F"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57EDF4A22BE3C955AC49DA2E2107B67A"},
    };
    for (const auto& v : vectors)
        EXPECT_EQ(StrMD5Hex(v.text), v.digest) << '"' << v.text << '"';
}

// The padding takes one or two blocks depending on where the text ends within its last block.
TEST(Md5, PadsTextsEndingAroundABlockBoundary) {
    const struct {
        std::size_t length;
        const char* digest;
    } cases[] = {
        {55, "EF1772B6DFF9A122358552954AD0DF65"}, {56, "3B0C8AC703F828B04C6C197006D17218"},
        {63, "B06521F39153D618550606BE297466D5"}, {64, "014842D480B571495A4A0363793F7367"},
        {65, "C743A45E0D2E6A95CB859ADAE0248435"}, {128, "E510683B3F5FFE4093D021808BC6FF70"},
    };
    for (const auto& c : cases) {
        const std::string text(c.length, 'a');
        EXPECT_EQ(StrMD5Hex(text), c.digest) << c.length;
        EXPECT_EQ(BufMD5Hex(text.data(), text.size()), c.digest) << c.length;
    }
}

TEST(Md5, TakesEveryByteOfABufferNulsIncluded) {
    const char bytes[] = {'a', '\0', 'b'};
    EXPECT_NE(BufMD5Hex(bytes, 3), StrMD5Hex("a"));
    EXPECT_EQ(BufMD5Hex(bytes, 3), StrMD5Hex(std::string_view(bytes, 3)));
}

}  // namespace
