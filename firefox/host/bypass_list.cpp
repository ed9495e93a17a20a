#include "firefox/host/bypass_list.h"

#include <algorithm>

namespace firefox_host {

namespace {

constexpr std::string_view kLocalNames = "<local>";

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

bool IsNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_' || c == '*';
}

bool IsIpv6Character(char c) {
    return (c >= 'a' && c <= 'f') || (c >= '0' && c <= '9') || c == ':' || c == '.';
}

// A host name or IPv4 address with optional wildcards, or an IPv6 literal in brackets.
bool IsUsableEntry(std::string_view entry) {
    if (entry == kLocalNames)
        return true;
    if (entry.size() > 2 && entry.front() == '[' && entry.back() == ']') {
        const std::string_view inside = entry.substr(1, entry.size() - 2);
        return std::all_of(inside.begin(), inside.end(), IsIpv6Character);
    }
    return std::all_of(entry.begin(), entry.end(), IsNameCharacter);
}

}  // namespace

BypassList ParseBypassList(std::string_view line) {
    BypassList list;
    while (!line.empty()) {
        const std::size_t comma = line.find(',');
        const std::string entry = Lower(Trim(line.substr(0, comma)));
        line = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
        if (entry.empty())
            continue;
        const bool fits = entry.size() <= kMaxBypassEntrySize && list.entries.size() < kMaxBypassEntries;
        if (fits && IsUsableEntry(entry))
            list.entries.push_back(entry);
        else
            ++list.ignored;
    }
    return list;
}

}  // namespace firefox_host
