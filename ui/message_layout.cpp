#include "ui/message_layout.h"

#include <algorithm>

namespace {

constexpr int kDesignDpi = 96;
constexpr int kMargin = 24;
constexpr int kLabelLeftBesideIcon = 88;
constexpr int kLabelWidth = 225;
constexpr int kIconSize = 40;
constexpr int kButtonWidth = 73, kButtonHeight = 25;
constexpr int kButtonGap = 20;       // bottom line to the buttons' top
constexpr int kFirstButtonInset = 97;  // client width to the rightmost button's left
constexpr int kButtonPitch = 93;
constexpr int kClientWidth = 336;
constexpr int kNarrowerWithoutIcon = 64;
constexpr int kBelowBottomLine = 75;
constexpr int kButtonsThatKeepTheWidth = 3;

int Scale(int designPixels, int dpi) {
    return (designPixels * dpi + kDesignDpi / 2) / kDesignDpi;
}

}  // namespace

int LabelWrapWidth(int dpi) {
    return Scale(kLabelWidth, dpi);
}

MessageLayout LayOutMessageDialog(int labelHeight, bool hasIcon, int buttonCount, int dpi) {
    MessageLayout layout;
    const int top = Scale(kMargin, dpi);
    layout.label = {Scale(hasIcon ? kLabelLeftBesideIcon : kMargin, dpi), top, LabelWrapWidth(dpi), labelHeight};
    if (hasIcon) layout.image = {Scale(kMargin, dpi), top, Scale(kIconSize, dpi), Scale(kIconSize, dpi)};

    int designWidth = kClientWidth;
    if (!hasIcon && buttonCount < kButtonsThatKeepTheWidth) designWidth -= kNarrowerWithoutIcon;
    layout.clientWidth = Scale(designWidth, dpi);

    const int bottomLine = std::max(layout.label.Bottom(), layout.image.Bottom());
    for (int i = 0; i < buttonCount; ++i) {
        layout.buttons.push_back({Scale(designWidth - kFirstButtonInset - kButtonPitch * i, dpi),
                                  bottomLine + Scale(kButtonGap, dpi), Scale(kButtonWidth, dpi),
                                  Scale(kButtonHeight, dpi)});
    }
    layout.clientHeight = bottomLine + Scale(kBelowBottomLine, dpi);
    return layout;
}
