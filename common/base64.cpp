#include "common/base64.h"

#include <array>
#include <cstdint>

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::uint8_t kNotInAlphabet = 0xFF;

constexpr std::array<std::uint8_t, 256> MakeValues() {
    std::array<std::uint8_t, 256> values{};
    values.fill(kNotInAlphabet);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i)
        values[static_cast<unsigned char>(kAlphabet[i])] = std::uint8_t(i);
    return values;
}
constexpr std::array<std::uint8_t, 256> kValues = MakeValues();

}  // namespace

std::optional<std::string> DecodeBase64(std::string_view text) {
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::size_t padding = 0;
    if (!text.empty() && text.back() == '=')
        padding = text[text.size() - 2] == '=' ? 2 : 1;
    const std::size_t digits = text.size() - padding;

    std::string bytes;
    bytes.reserve(digits * 3 / 4);
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const std::uint8_t value = kValues[static_cast<unsigned char>(text[i])];
        if (value == kNotInAlphabet)
            return std::nullopt;
        bits = ((bits << 6) | value) & 0xFFF;  // never more than 12 bits wait for a byte
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            bytes.push_back(char((bits >> bitCount) & 0xFF));
        }
    }
    // What is left over pads the last group: an encoder writes it as zeros.
    if ((bits & ((1u << bitCount) - 1)) != 0)
        return std::nullopt;
    return bytes;
}
