#include "tunnel/status_lines.h"

#include <utility>

#include "common/text_lines.h"

void StatusLines::Append(std::string_view readText) {
    readText = readText.substr(0, readText.find('\0'));
    for (std::string& entry : SplitLines(readText))
        waiting_.push_back(std::move(entry));
}

std::optional<std::string> StatusLines::TakeNext() {
    if (waiting_.empty())
        return std::nullopt;
    std::string entry = std::move(waiting_.front());
    waiting_.pop_front();
    ++interpreted_;
    return entry;
}
