// The skin: colours and fonts of every form, dialog and the popup menu, read from a small
// text file of our own (default.skn beside the program):
//
//   ; comment
//   [Colors]
//   Face=#EEF2F7            one "#RRGGBB" per key
//   [Fonts]
//   Text=Tahoma,8           face, points, and "bold" as an optional third field
//
// Keys missing from the file, or values that do not parse, keep the colour or font of the base
// skin, so a partial or damaged file still gives a complete, readable look.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct SkinColor {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const SkinColor&) const = default;
};

struct SkinFont {
    std::string face;
    int points = 8;
    bool bold = false;
    bool operator==(const SkinFont&) const = default;
};

struct Skin {
    SkinColor face;       // form and page background
    SkinColor text;       // text on the face
    SkinColor titleBar;   // title band, selected tab, the popup menu's left bar
    SkinColor titleText;  // text on the title band
    SkinColor field;      // edits, memos, lists
    SkinColor fieldText;
    SkinColor button;
    SkinColor buttonText;
    SkinColor buttonBorder;  // button frames and the focus line
    SkinColor menuFace;
    SkinColor menuText;
    SkinColor menuHighlight;  // the popup menu's selected item
    SkinColor menuHighlightText;
    SkinColor disabledText;  // disabled menu items and buttons
    SkinColor separator;
    SkinFont textFont;     // every text of the forms
    SkinFont captionFont;  // captions: dialog titles, the About page's name
};

// Reads the file's text over `base`.
Skin ParseSkin(std::string_view fileText, const Skin& base);
