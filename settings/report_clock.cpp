#include "settings/report_clock.h"

namespace {

std::string ZeroPadded(int value, size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}

}  // namespace

std::string FormatTimeStamp(const LocalDateTime& time, std::string_view timeSeparator, std::string_view dateSeparator) {
    std::string stamp;
    stamp.append(ZeroPadded(time.hour, 2)).append(timeSeparator);
    stamp.append(ZeroPadded(time.minute, 2)).append(timeSeparator);
    stamp.append(ZeroPadded(time.second, 2)).append(timeSeparator);
    stamp.append(ZeroPadded(time.millisecond, 3)).append(" ");
    stamp.append(ZeroPadded(time.year, 4)).append(dateSeparator);
    stamp.append(ZeroPadded(time.month, 2)).append(dateSeparator);
    stamp.append(ZeroPadded(time.day, 2));
    return stamp;
}
