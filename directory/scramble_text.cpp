#include "directory/scramble_text.h"

#include <array>

namespace {

struct ByteRange {
    unsigned char first;
    unsigned char keyMask;  // the key bits that keep a character inside its range
};

// From the highest range down; control characters (below 0x20) pass unchanged.
constexpr std::array kRanges{ByteRange{0x80, 0x7F}, ByteRange{0x40, 0x3F}, ByteRange{0x20, 0x1F}};

}  // namespace

std::string ScrambleText(std::string_view text, std::string_view key) {
    if (text.empty() || key.empty())
        return {};
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const auto k = static_cast<unsigned char>(key[i % key.size()]);
        unsigned char mask = 0;
        for (const ByteRange& range : kRanges) {
            if (c >= range.first) {
                mask = range.keyMask;
                break;
            }
        }
        result += static_cast<char>(c ^ (k & mask));
    }
    return result;
}
