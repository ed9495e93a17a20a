#include "proxy/bypass_list.h"

#include "proxy/proxy_texts.h"

std::string BypassText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text.append(line).append(1, ',');
    return text;
}

std::string NodeLabel(const std::optional<TServer>& node) {
    if (!node)
        return "";
    return CountryName(node->Country) + " #" + std::to_string(node->Number);
}

std::string LocalProxyServer(std::string_view internalPort) {
    return std::string(proxy_text::kLocalProxyPrefix).append(internalPort);
}
