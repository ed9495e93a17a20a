#include "ui/tray_rules.h"

#include <algorithm>

std::string Truncated(const std::string& text, std::size_t maxLength) {
    return text.substr(0, maxLength);
}

std::string TipFor(const std::string& hint, bool showHint) {
    return showHint ? Truncated(hint, kMaxTipLength) : std::string();
}

int ClampIconIndex(int index, int count) {
    return count > 0 ? std::clamp(index, 0, count - 1) : 0;
}

int NextCycleIndex(int index, int count) {
    return count > 0 && index + 1 < count ? index + 1 : 0;
}
