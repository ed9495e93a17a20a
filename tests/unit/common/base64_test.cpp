#include "common/base64.h"

#include <gtest/gtest.h>

TEST(DecodeBase64, ReadsTheVectorsOfRfc4648AndEveryByteValue) {
    const struct {
        const char* text;
        std::string bytes;
    } cases[] = {
        {"", ""},
        {"Zg==", "f"},
        {"Zm8=", "fo"},
        {"Zm9v", "foo"},
        {"Zm9vYg==", "foob"},
        {"Zm9vYmE=", "fooba"},
        {"Zm9vYmFy", "foobar"},
        {"+/8A", std::string("\xfb\xff\x00", 3)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeBase64(c.text), c.bytes) << c.text;

    // Bytes that are no text, as a signature is.
    EXPECT_EQ(DecodeBase64("AAECAwQFBgcICQoLDA0ODw=="),
              std::string("\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f", 16));
}

TEST(DecodeBase64, RefusesWhatNoEncoderWrites) {
    const char* cases[] = {
        "Zg",        // no padding
        "Zg=",       // too little padding
        "Zm9vY",     // a length that is no multiple of four
        "Zg==Zg==",  // padding in the middle
        "Z===",      // three pads
        "====",      // nothing but pads
        "Zh==",      // pad bits that are not zero
        "Zm9=",      // ditto, one pad
        "Zm9v\r\n",  // a line break
        " Zm9v",     // a blank
        "Zm-v",      // the URL alphabet
        "Zm_v",      // ditto
        "Zm9\x80",
    };
    for (const char* text : cases)
        EXPECT_EQ(DecodeBase64(text), std::nullopt) << text;
    EXPECT_EQ(DecodeBase64(std::string_view("Zm9v\0\0\0\0", 8)), std::nullopt);
}
