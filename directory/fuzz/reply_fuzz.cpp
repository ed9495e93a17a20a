// libFuzzer entry: the directory reply comes from the network, so whatever its bytes, checking
// its signature line and parsing it must end, stay within their bounds, and never hand on a
// node or a tunnel value that is not of its form, nor take bytes the signature does not cover.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/base64.h"
#include "common/makers_crypto.h"
#include "directory/reply_check.h"
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

// Takes the signature "ok" (base64 "b2s=") for any bytes, so that the fuzzer reaches what
// follows a good signature; the real check is CNG's, tested under Wine.
class StandInCrypto final : public MakersCrypto {
  public:
    std::optional<Sha256Digest> Sha256(std::string_view) override { return Sha256Digest{}; }
    std::optional<Sha256Digest> FileSha256(const std::string&) override { return std::nullopt; }
    bool IsMakersSignature(const Sha256Digest&, std::string_view signature) override { return signature == "ok"; }
};

void CheckSignatureLine(std::string_view text) {
    if (const std::optional<SignatureLine> line = SplitSignatureLine(text)) {
        const char* end = text.data() + text.size();
        Check(text.starts_with(line->signedText) && line->signedText.size() < text.size());
        Check(line->value.data() >= text.data() + line->signedText.size() && line->value.data() <= end);
        Check(line->value.data() + line->value.size() <= end);
        if (const std::optional<std::string> bytes = DecodeBase64(line->value))
            Check(bytes->size() <= line->value.size() / 4 * 3);
    }
    StandInCrypto crypto;
    const ReplyCheck check = CheckReply(text, crypto);
    Check(text.starts_with(check.signedText));
    if (check.Accepted())
        Check(check.signedText.size() < text.size() && IsReplyComplete(check.signedText));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Check(ScrambleText(ScrambleText(text, kScrambleKey), kScrambleKey) == (size ? text : std::string_view()));

    CheckSignatureLine(text);

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
