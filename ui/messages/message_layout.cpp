#include "ui/messages/message_layout.h"

#include <algorithm>

#include "ui/toolkit/dpi_scale.h"

namespace {

constexpr int kMargin = 24;
constexpr int kLabelLeftBesideIcon = 88;
constexpr int kLabelWidth = 225;
constexpr int kIconSize = 40;
constexpr int kButtonWidth = 73, kButtonHeight = 25;
constexpr int kButtonGap = 20;         // bottom line to the buttons' top
constexpr int kFirstButtonInset = 97;  // client width to the rightmost button's left
constexpr int kButtonPitch = 93;
constexpr int kClientWidth = 336;
constexpr int kNarrowerWithoutIcon = 64;
constexpr int kBelowBottomLine = 75;
constexpr int kButtonsThatKeepTheWidth = 3;

}  // namespace

int LabelWrapWidth(int dpi) {
    return ScaleToDpi(kLabelWidth, dpi);
}

MessageLayout LayOutMessageDialog(int labelHeight, bool hasIcon, int buttonCount, int dpi) {
    MessageLayout layout;
    const int top = ScaleToDpi(kMargin, dpi);
    layout.label = {ScaleToDpi(hasIcon ? kLabelLeftBesideIcon : kMargin, dpi), top, LabelWrapWidth(dpi), labelHeight};
    if (hasIcon)
        layout.image = {ScaleToDpi(kMargin, dpi), top, ScaleToDpi(kIconSize, dpi), ScaleToDpi(kIconSize, dpi)};

    int designWidth = kClientWidth;
    if (!hasIcon && buttonCount < kButtonsThatKeepTheWidth)
        designWidth -= kNarrowerWithoutIcon;
    layout.clientWidth = ScaleToDpi(designWidth, dpi);

    const int bottomLine = std::max(layout.label.Bottom(), layout.image.Bottom());
    for (int i = 0; i < buttonCount; ++i) {
        layout.buttons.push_back({ScaleToDpi(designWidth - kFirstButtonInset - kButtonPitch * i, dpi),
                                  bottomLine + ScaleToDpi(kButtonGap, dpi), ScaleToDpi(kButtonWidth, dpi),
                                  ScaleToDpi(kButtonHeight, dpi)});
    }
    layout.clientHeight = bottomLine + ScaleToDpi(kBelowBottomLine, dpi);
    return layout;
}
