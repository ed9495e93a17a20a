#include "directory/scramble_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string EveryByte() {
    std::string text;
    for (int c = 0; c < 256; ++c)
        text += static_cast<char>(c);
    return text;
}

TEST(ScrambleText, IsItsOwnInverseOverEveryByteValue) {
    const std::string text = EveryByte();
    for (const char* key : {kScrambleKey, "\x01", "\xFF", "Key with several characters"}) {
        const std::string scrambled = ScrambleText(text, key);
        ASSERT_EQ(scrambled.size(), text.size());
        EXPECT_EQ(ScrambleText(scrambled, key), text) << key;
    }
}

TEST(ScrambleText, KeepsEveryCharacterInItsRangeAndControlCharactersAsTheyAre) {
    const std::string text = EveryByte();
    const std::string scrambled = ScrambleText(text, "\xFF");
    for (int c = 0; c < 256; ++c) {
        const auto out = static_cast<unsigned char>(scrambled[c]);
        if (c < 0x20)
            EXPECT_EQ(out, c);
        else
            EXPECT_EQ(out >= 0x80, c >= 0x80) << c;
        EXPECT_EQ(out >= 0x40 && out < 0x80, c >= 0x40 && c < 0x80) << c;
        EXPECT_EQ(out >= 0x20 && out < 0x40, c >= 0x20 && c < 0x40) << c;
    }
}

TEST(ScrambleText, ScramblesANodeRangeWithTheSharedKey) {
    EXPECT_EQ(ScrambleText("192.0.2.5-7", kScrambleKey), "<4?#=#?#8 :");
    EXPECT_EQ(ScrambleText("<4?#=#?#8 :", kScrambleKey), "192.0.2.5-7");
}

TEST(ScrambleText, IsEmptyForAnEmptyTextOrKey) {
    EXPECT_EQ(ScrambleText("", kScrambleKey), "");
    EXPECT_EQ(ScrambleText("1080", ""), "");
}

}  // namespace
