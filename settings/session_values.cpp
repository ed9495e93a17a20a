#include "settings/session_values.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

struct Location {
    int code;
    std::string_view name;
};

constexpr std::array kLocations{
    Location{10, "United States"},
    Location{11, "United States - Houston"},
    Location{12, "United States - Dallas"},
    Location{13, "United States - San Jose"},
    Location{14, "United States - Denver"},
    Location{15, "United States - Chicago"},
    Location{20, "United Kingdom"},
    Location{21, "United Kingdom - London"},
    Location{30, "Europe"},
    Location{31, "Europe - Amsterdam"},
    Location{40, "Asia"},
    Location{41, "Asia - Singapore"},
    Location{50, "Canada"},
};

}  // namespace

std::string CountryName(int code) {
    auto found = std::ranges::find(kLocations, code, &Location::code);
    return std::string(found == kLocations.end() ? std::string_view("Unknown") : found->name);
}

std::string NodeTitle(const TServer& node) {
    return CountryName(node.Country) + " #" + std::to_string(node.Number) + " [" + node.Host + "]";
}
