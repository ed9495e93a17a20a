#include "settings/settings_store.h"

#include <charconv>
#include <cstdint>

namespace {

int ParseStoredInteger(std::string_view text, int def) {
    if (text.starts_with("0x") || text.starts_with("0X")) {
        // Hexadecimal values are bit patterns: "0xFFFFFFFF" is -1, as in a 32-bit register.
        std::string_view digits = text.substr(2);
        std::uint32_t bits = 0;
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), bits, 16);
        if (error != std::errc() || end != digits.data() + digits.size())
            return def;
        return static_cast<int>(bits);
    }
    if (text.starts_with('+')) {  // from_chars takes a minus sign only
        text.remove_prefix(1);
        if (text.starts_with('-'))
            return def;
    }
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (error != std::errc() || end != text.data() + text.size())
        return def;
    return value;
}

}  // namespace

int SettingsStore::ReadInteger(std::string_view section, std::string_view key, int def) const {
    return ParseStoredInteger(ReadString(section, key, ""), def);
}

bool SettingsStore::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void SettingsStore::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void SettingsStore::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}
