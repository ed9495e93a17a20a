#include "ui/toolkit/progress_caption.h"

#include <algorithm>

namespace {

std::int64_t Clamped(std::int64_t position, std::int64_t maximum) {
    return std::clamp<std::int64_t>(position, 0, maximum);
}

}  // namespace

int ProgressPercent(std::int64_t position, std::int64_t maximum) {
    if (maximum <= 0)
        return 0;
    return int(Clamped(position, maximum) * 100 / maximum);
}

std::string ProgressCaption(std::int64_t position, std::int64_t maximum) {
    return std::to_string(ProgressPercent(position, maximum)) + "%";
}

int ProgressFilledWidth(std::int64_t position, std::int64_t maximum, int width) {
    if (maximum <= 0 || width <= 0)
        return 0;
    return int(Clamped(position, maximum) * width / maximum);
}
