#include "directory/reply_parser.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "common/text_lines.h"
#include "directory/directory_texts.h"
#include "directory/scramble_text.h"

using namespace directory_text;

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return lower;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number of 1 to `maxDigits` digits and nothing else.
std::optional<int> Decimal(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits || !std::all_of(text.begin(), text.end(), IsDigit))
        return std::nullopt;
    int value = 0;
    for (char c : text)
        value = value * 10 + (c - '0');
    return value;
}

std::optional<int> Octet(std::string_view text) {
    std::optional<int> value = Decimal(text, 3);
    return value && *value <= 255 ? value : std::nullopt;
}

// Spaces and control characters at both ends go.
std::string_view Trim(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

// A value that goes onto the tunnel client's command line as it is: nothing that could end it
// or split it (blanks, quotes, control characters), and of a sane length.
bool IsSafeTunnelValue(std::string_view value) {
    return value.size() <= kMaxTunnelValueLength && std::none_of(value.begin(), value.end(), [](char c) {
               const auto byte = static_cast<unsigned char>(c);
               return byte <= ' ' || byte == 0x7F || c == '"' || c == '\'';
           });
}

// "#3 Masq Node"
std::string NodeCaption(int number) {
    std::string caption(1, '#');
    caption += std::to_string(number);
    caption += kNodeCaptionSuffix;
    return caption;
}

// The reason is put together from its pieces, e.g. "node line ", "3", " has no address entry".
NodeListParse Malformed(std::initializer_list<std::string_view> pieces) {
    NodeListParse parse{NodeListParse::Kind::Malformed, {}, {}};
    for (std::string_view piece : pieces)
        parse.reason += piece;
    return parse;
}

}  // namespace

ReplyLines::ReplyLines(std::string_view reply) {
    for (const std::string& line : SplitLines(reply)) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos)
            firstValues_.try_emplace(Lower(std::string_view(line).substr(0, equals)), line.substr(equals + 1));
    }
}

std::string ReplyLines::Value(std::string_view name) const {
    auto found = firstValues_.find(Lower(name));
    return found == firstValues_.end() ? std::string() : found->second;
}

bool ValueIsOne(const ReplyLines& reply, std::string_view name) {
    return reply.Value(name) == "1";
}

std::optional<int> ValueAsInt(const ReplyLines& reply, std::string_view name) {
    const std::string value = reply.Value(name);
    return value.empty() ? 0 : Decimal(value, 9);
}

std::optional<AddressEntry> ParseAddressEntry(std::string_view entry) {
    const std::size_t dash = entry.find('-');
    const std::string_view address = entry.substr(0, dash);
    std::array<int, 4> octets{};
    std::string_view rest = address;
    for (std::size_t i = 0; i < octets.size(); ++i) {
        const bool last = i + 1 == octets.size();
        const std::size_t dot = last ? rest.size() : rest.find('.');
        if (dot == std::string_view::npos)
            return std::nullopt;
        const std::optional<int> octet = Octet(rest.substr(0, dot));
        if (!octet)
            return std::nullopt;
        octets[i] = *octet;
        rest = last ? std::string_view() : rest.substr(dot + 1);
    }
    AddressEntry parsed{std::string(address.substr(0, address.rfind('.'))), octets[3], octets[3]};
    if (dash != std::string_view::npos) {
        const std::optional<int> end = Octet(entry.substr(dash + 1));
        if (!end)
            return std::nullopt;
        parsed.last = *end;
    }
    return parsed;
}

int RangeCount(const AddressEntry& entry) {
    return entry.last - entry.first + 1;
}

std::string RangeAddress(const AddressEntry& entry, int j) {
    return entry.prefix + "." + std::to_string(entry.first + j);
}

NodeListParse ParseNodeList(const ReplyLines& reply) {
    const std::optional<int> count = ValueAsInt(reply, kCountName);
    if (!count)
        return Malformed({"the node count is no number"});
    if (*count == 0)
        return {};
    if (*count > kMaxNodeLines)
        return Malformed({"more than ", std::to_string(kMaxNodeLines), " node lines"});

    NodeList list;
    list.port = ScrambleText(reply.Value(kPortName), kScrambleKey);
    list.user = ScrambleText(reply.Value(kUserName), kScrambleKey);
    list.key = ScrambleText(reply.Value(kKeyName), kScrambleKey);
    for (const std::string* value : {&list.port, &list.user, &list.key})
        if (!IsSafeTunnelValue(*value))
            return Malformed({"a tunnel value that cannot go on a command line"});

    for (int k = 1; k <= *count; ++k) {
        const std::string name = std::to_string(k);
        const std::string value(Trim(reply.Value(name)));
        const std::optional<int> location = value.size() > 2 ? Decimal(value.substr(0, 2), 2) : std::nullopt;
        if (!location)
            return Malformed({"node line ", name, " is missing or has no location code"});
        const std::optional<AddressEntry> entry = ParseAddressEntry(ScrambleText(value.substr(2), kScrambleKey));
        if (!entry)
            return Malformed({"node line ", name, " has no address entry"});
        for (int j = 0; j < RangeCount(*entry); ++j) {
            if (list.servers.size() >= kMaxNodes)
                return Malformed({"more than ", std::to_string(kMaxNodes), " nodes"});
            const int number = int(list.servers.size()) + 1;
            list.servers.push_back(TServer{NodeCaption(number), RangeAddress(*entry, j), *location, number, false});
        }
    }
    return {NodeListParse::Kind::Nodes, std::move(list), {}};
}
