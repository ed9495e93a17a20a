#include "ui/tray/tray_rules.h"

#include <algorithm>

std::string Truncated(const std::string& text, std::size_t maxLength) {
    return text.substr(0, maxLength);
}

int ClampIconIndex(int index, int count) {
    return count > 0 ? std::clamp(index, 0, count - 1) : 0;
}

int NextCycleIndex(int index, int count) {
    return count > 0 && index + 1 < count ? index + 1 : 0;
}
