#include "ui/toolkit/skin.h"

#include <charconv>
#include <optional>
#include <utility>

namespace {

using ColorField = SkinColor Skin::*;
using FontField = SkinFont Skin::*;

const std::pair<std::string_view, ColorField> kColorKeys[] = {
    {"Face", &Skin::face},
    {"Text", &Skin::text},
    {"TitleBar", &Skin::titleBar},
    {"TitleText", &Skin::titleText},
    {"Field", &Skin::field},
    {"FieldText", &Skin::fieldText},
    {"Button", &Skin::button},
    {"ButtonText", &Skin::buttonText},
    {"ButtonBorder", &Skin::buttonBorder},
    {"MenuFace", &Skin::menuFace},
    {"MenuText", &Skin::menuText},
    {"MenuHighlight", &Skin::menuHighlight},
    {"MenuHighlightText", &Skin::menuHighlightText},
    {"DisabledText", &Skin::disabledText},
    {"Separator", &Skin::separator},
};

const std::pair<std::string_view, FontField> kFontKeys[] = {
    {"Text", &Skin::textFont},
    {"Caption", &Skin::captionFont},
};

std::string_view Trim(std::string_view text) {
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::optional<SkinColor> ParseColor(std::string_view value) {
    if (value.size() != 7 || value[0] != '#')
        return std::nullopt;
    unsigned rgb = 0;
    auto [end, error] = std::from_chars(value.data() + 1, value.data() + 7, rgb, 16);
    if (error != std::errc() || end != value.data() + 7)
        return std::nullopt;
    return SkinColor{std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb)};
}

std::optional<SkinFont> ParseFont(std::string_view value) {
    SkinFont font;
    size_t comma = value.find(',');
    font.face = std::string(Trim(value.substr(0, comma)));
    if (font.face.empty() || comma == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = value.substr(comma + 1);
    size_t secondComma = rest.find(',');
    std::string_view points = Trim(rest.substr(0, secondComma));
    auto [end, error] = std::from_chars(points.data(), points.data() + points.size(), font.points);
    if (error != std::errc() || end != points.data() + points.size() || font.points < 6 || font.points > 36)
        return std::nullopt;
    if (secondComma != std::string_view::npos) {
        std::string_view style = Trim(rest.substr(secondComma + 1));
        if (!EqualsIgnoringCase(style, "bold"))
            return std::nullopt;
        font.bold = true;
    }
    return font;
}

template <typename Field, size_t N, typename Parse>
void Apply(const std::pair<std::string_view, Field> (&keys)[N],
           std::string_view key,
           std::string_view value,
           Parse parse,
           Skin& skin) {
    for (const auto& [name, field] : keys) {
        if (!EqualsIgnoringCase(name, key))
            continue;
        if (auto parsed = parse(value))
            skin.*field = *parsed;
        return;
    }
}

}  // namespace

Skin ParseSkin(std::string_view fileText, const Skin& base) {
    Skin skin = base;
    std::string_view section;
    while (!fileText.empty()) {
        size_t end = fileText.find_first_of("\r\n");
        std::string_view line = Trim(fileText.substr(0, end));
        fileText = end == std::string_view::npos ? std::string_view{} : fileText.substr(end + 1);

        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = Trim(line.substr(1, line.size() - 2));
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        std::string_view key = Trim(line.substr(0, equals));
        std::string_view value = Trim(line.substr(equals + 1));
        if (EqualsIgnoringCase(section, "Colors"))
            Apply(kColorKeys, key, value, ParseColor, skin);
        else if (EqualsIgnoringCase(section, "Fonts"))
            Apply(kFontKeys, key, value, ParseFont, skin);
    }
    return skin;
}
