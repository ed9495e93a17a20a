#include "update/download_url.h"

#include <algorithm>
#include <cctype>

#include "update/update_texts.h"

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
    const size_t slash = url.find('/');
    if (slash == std::string_view::npos)
        return {};
    return {std::string(url.substr(0, slash)), std::string(url.substr(slash))};
}

std::string InstallerUrl(std::string_view webHost) {
    return std::string(kScheme).append(webHost).append(update_text::kInstallerPath);
}

std::string SignatureUrl(std::string_view webHost) {
    return InstallerUrl(webHost).append(update_text::kSignatureSuffix);
}
