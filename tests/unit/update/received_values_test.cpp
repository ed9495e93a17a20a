#include "update/received_values.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseContentLength, TakesOnlyDecimalNumbersAnIntegerHolds) {
    const struct {
        std::optional<std::string> header;
        std::optional<std::int32_t> expected;
    } cases[] = {
        {"0", 0},
        {"1025", 1025},
        {" 42\t", 42},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"-1", std::nullopt},
        {"+5", std::nullopt},
        {"0x10", std::nullopt},
        {"12 34", std::nullopt},
        {"", std::nullopt},
        {std::nullopt, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseContentLength(c.header), c.expected) << c.header.value_or("(none)");
}

TEST(ParseSha256, TakesSixtyFourHexDigitsInEitherCase) {
    const std::string lower = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    const Sha256Digest abc = {0xba, 0x78, 0x16, 0xbf, 0x8f, 0x01, 0xcf, 0xea, 0x41, 0x41, 0x40,
                              0xde, 0x5d, 0xae, 0x22, 0x23, 0xb0, 0x03, 0x61, 0xa3, 0x96, 0x17,
                              0x7a, 0x9c, 0xb4, 0x10, 0xff, 0x61, 0xf2, 0x00, 0x15, 0xad};
    EXPECT_EQ(ParseSha256(lower), abc);
    EXPECT_EQ(ParseSha256("BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD"), abc);
    EXPECT_EQ(ParseSha256(" " + lower + "\r\n"), abc);

    for (const std::string& bad : {lower.substr(1), lower + "0", "g" + lower.substr(1), std::string(),
                                   lower.substr(0, 32) + " " + lower.substr(33)})
        EXPECT_EQ(ParseSha256(bad), std::nullopt) << bad;
}

}  // namespace
