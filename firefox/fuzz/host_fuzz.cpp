// libFuzzer entry: everything another program can put in the state file, and every byte
// Firefox can send, goes through these parsers. The first byte picks the parser and how the
// rest is cut into pieces.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "firefox/host/host_session.h"
#include "firefox/host/json_text.h"
#include "firefox/host/state_file.h"
#include "firefox/host/state_message.h"

namespace {

using namespace firefox_host;

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

std::string AsIs(std::string_view text) {
    return std::string(text);
}

std::size_t Replacements(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = text.find(kReplacement); at != std::string_view::npos; at = text.find(kReplacement, at + 1))
        ++count;
    return count;
}

// Every message the host sends must be one JSON object in valid UTF-8: quoting it again
// replaces no byte.
void CheckMessage(std::string_view json) {
    if (json.size() < 2 || json.front() != '{' || json.back() != '}')
        __builtin_trap();
    std::string quoted;
    AppendJsonString(quoted, json);
    if (Replacements(quoted) != Replacements(json))
        __builtin_trap();
}

void FuzzStateFile(std::string_view content) {
    const ProxyState state = ParseStateFile(content);
    if (state.standing == Standing::kOn && (state.port == 0 || state.host.rfind("127.", 0) != 0))
        __builtin_trap();
    CheckMessage(StateMessage(state, AsIs));
}

class FixedFile : public StateFileSource {
  public:
    FileSnapshot Read() override { return {FileSnapshot::Kind::kContent, "1\r\n0\r\n\r\n\r\n\r\n\r\n"}; }
};

class CheckingSink : public MessageSink {
  public:
    bool Send(std::string_view json) override {
        CheckMessage(json);
        return true;
    }
};

void FuzzRequests(std::span<const std::uint8_t> input, std::size_t piece) {
    FixedFile file;
    CheckingSink sink;
    HostSession session(file, sink, AsIs);
    while (!input.empty()) {
        const std::size_t size = std::min(piece, input.size());
        if (!session.Receive(input.first(size)))
            return;
        input = input.subspan(size);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::span<const std::uint8_t> input(data + 1, size - 1);
    if (data[0] & 1)
        FuzzStateFile(std::string_view(reinterpret_cast<const char*>(input.data()), input.size()));
    else
        FuzzRequests(input, 1 + (data[0] >> 1));
    return 0;
}
