#include "update/received_values.h"

#include <limits>

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<std::int32_t> ParseContentLength(const std::optional<std::string>& header) {
    if (!header)
        return std::nullopt;
    const std::string_view digits = TrimBlanks(*header);
    if (digits.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max())
            return std::nullopt;
    }
    return std::int32_t(value);
}

std::optional<Sha256Digest> ParseSha256(std::string_view text) {
    text = TrimBlanks(text);
    Sha256Digest digest;
    if (text.size() != 2 * digest.size())
        return std::nullopt;
    for (std::size_t i = 0; i < digest.size(); ++i) {
        const int high = HexValue(text[2 * i]), low = HexValue(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        digest[i] = std::uint8_t(high * 16 + low);
    }
    return digest;
}
