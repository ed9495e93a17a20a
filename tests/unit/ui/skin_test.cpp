#include "ui/toolkit/skin.h"

#include <gtest/gtest.h>

namespace {

Skin Base() {
    Skin skin;
    skin.face = {1, 2, 3};
    skin.text = {4, 5, 6};
    skin.textFont = {"System", 9, false};
    skin.captionFont = {"System", 9, true};
    return skin;
}

}  // namespace

TEST(ParseSkin, ReadsColoursAndFontsOverTheBase) {
    Skin skin = ParseSkin(
        "; a comment\r\n"
        "[Colors]\r\n"
        "Face=#EEF2F7\r\n"
        " titlebar = #2c5d8f \r\n"
        "[Fonts]\n"
        "Text=Tahoma,8\n"
        "Caption=Segoe UI, 10, Bold\n",
        Base());
    EXPECT_EQ(skin.face, (SkinColor{0xEE, 0xF2, 0xF7}));
    EXPECT_EQ(skin.titleBar, (SkinColor{0x2C, 0x5D, 0x8F}));
    EXPECT_EQ(skin.text, Base().text);
    EXPECT_EQ(skin.textFont, (SkinFont{"Tahoma", 8, false}));
    EXPECT_EQ(skin.captionFont, (SkinFont{"Segoe UI", 10, true}));
}

TEST(ParseSkin, DamagedValuesKeepTheBase) {
    const char* damaged[] = {
        "[Colors]\nFace=EEF2F7",        // no '#'
        "[Colors]\nFace=#EEF2",         // too short
        "[Colors]\nFace=#EEF2GG",       // not hexadecimal
        "[Fonts]\nText=Tahoma",         // no size
        "[Fonts]\nText=Tahoma,x",       // size no number
        "[Fonts]\nText=Tahoma,400",     // absurd size
        "[Fonts]\nText=Tahoma,8,wavy",  // unknown style
        "Face=#000000",                 // outside any section
        "[Fonts]\nFace=#000000",        // colour key in the wrong section
        "[Colors]\nFace",               // no value
    };
    for (const char* text : damaged) {
        Skin skin = ParseSkin(text, Base());
        EXPECT_EQ(skin.face, Base().face) << text;
        EXPECT_EQ(skin.textFont, Base().textFont) << text;
    }
}
