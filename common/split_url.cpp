#include "common/split_url.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::string_view kScheme = "http://";

bool ContainsScheme(std::string_view url) {
    std::string lower(url);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return lower.find(kScheme) != std::string::npos;
}

}  // namespace

UrlParts SplitUrl(std::string_view url) {
    if (ContainsScheme(url))
        url.remove_prefix(kScheme.size());
    const std::size_t slash = url.find('/');
    if (slash == std::string_view::npos)
        return {};
    return {std::string(url.substr(0, slash)), std::string(url.substr(slash))};
}
