// Where the parts of a message dialog go, in the dialog's client pixels at a given DPI. The
// numbers are the 96-DPI design, scaled:
//   - the icon 40 x 40 at (24, 24); the message 225 pixels wide at left 88 beside the icon, or at
//     left 24 without one, top 24, as tall as its wrapped text;
//   - the bottom line is the lower of the two bottoms; buttons are 73 x 25, 20 below it;
//   - the i-th button created stands at left = width - 97 - 93 i, so the first one created is the
//     rightmost;
//   - the client area is 336 wide, 64 narrower without an icon when fewer than three buttons
//     stand in it, and the bottom line + 75 tall.
#pragma once

#include <vector>

#include "ui/toolkit/layout_box.h"

struct MessageLayout {
    LayoutBox label;
    LayoutBox image;                 // empty without an icon
    std::vector<LayoutBox> buttons;  // in creation order: rightmost first
    int clientWidth = 0;
    int clientHeight = 0;
};

// Width the message text wraps in, at `dpi`.
int LabelWrapWidth(int dpi);

// `labelHeight` is the wrapped text's height measured at `dpi`.
MessageLayout LayOutMessageDialog(int labelHeight, bool hasIcon, int buttonCount, int dpi);
