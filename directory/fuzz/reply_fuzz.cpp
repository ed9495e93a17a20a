// libFuzzer entry: the directory reply comes from the network, so whatever its bytes, parsing
// it must end, stay within its bounds, and never hand on a node or a tunnel value that is not
// of its form.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "directory/reply_parser.h"
#include "directory/scramble_text.h"

namespace {

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

bool IsCommandLineSafe(const std::string& value) {
    return value.size() <= kMaxTunnelValueLength &&
           std::none_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Check(ScrambleText(ScrambleText(text, kScrambleKey), kScrambleKey) == (size ? text : std::string_view()));

    const ReplyLines reply(text);
    ValueIsOne(reply, "NewVersion");
    const NodeListParse parsed = ParseNodeList(reply);
    if (parsed.kind != NodeListParse::Kind::Nodes) {
        Check(parsed.nodes.servers.empty());
        return 0;
    }
    const std::vector<TServer>& servers = parsed.nodes.servers;
    Check(servers.size() <= std::size_t(kMaxNodes));
    for (std::size_t i = 0; i < servers.size(); ++i) {
        Check(servers[i].Number == int(i) + 1);
        Check(servers[i].Country >= 0 && servers[i].Country <= 99);
        const std::optional<AddressEntry> host = ParseAddressEntry(servers[i].Host);
        Check(host && RangeCount(*host) == 1);
    }
    for (const std::string* value : {&parsed.nodes.port, &parsed.nodes.user, &parsed.nodes.key})
        Check(IsCommandLineSafe(*value));
    return 0;
}
