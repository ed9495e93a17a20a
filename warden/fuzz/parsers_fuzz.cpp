// libFuzzer entry: everything a hostile local program or node can send goes through these
// parsers. The first byte picks the parser and how the rest is cut into pieces, since the
// parsers must hold up however the bytes arrive.
#include <cstddef>
#include <cstdint>
#include <span>

#include "warden/socks/client_request_parser.h"
#include "warden/socks/messages.h"
#include "warden/socks/node_reply_parser.h"

namespace {

using namespace warden::socks;

template <typename Parser, typename Done>
void FeedInPieces(Parser& parser, std::span<const std::uint8_t> input, std::size_t piece, Done done) {
    while (!input.empty()) {
        const auto [event, consumed] = parser.Feed(input.first(std::min(piece, input.size())));
        if (consumed > input.size())
            __builtin_trap();
        input = input.subspan(consumed);
        if (done(event))
            return;
    }
}

void FuzzClientRequest(std::span<const std::uint8_t> input, std::size_t piece) {
    using Event = ClientRequestParser::Event;
    ClientRequestParser parser;
    FeedInPieces(parser, input, piece, [&parser](Event event) {
        if (event == Event::kRequest)
            ConnectRequest(parser.destination());  // must encode what it parsed
        if (event == Event::kInvalid)
            Rejection(parser.protocol(), parser.fault());
        return event == Event::kRequest || event == Event::kInvalid;
    });
}

void FuzzNodeReply(std::span<const std::uint8_t> input, std::size_t piece, NodeReplyParser::Stage stage) {
    using Event = NodeReplyParser::Event;
    NodeReplyParser parser(stage);
    FeedInPieces(parser, input, piece, [](Event event) { return event != Event::kNeedMore; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t piece = 1 + (data[0] >> 2);
    const std::span<const std::uint8_t> input(data + 1, size - 1);
    switch (data[0] & 3) {
        case 0:
            FuzzClientRequest(input, piece);
            break;
        case 1:
            FuzzNodeReply(input, piece, NodeReplyParser::Stage::kMethodChoice);
            break;
        case 2:
            FuzzNodeReply(input, piece, NodeReplyParser::Stage::kAuthStatus);
            break;
        default:
            FuzzNodeReply(input, piece, NodeReplyParser::Stage::kConnectReply);
            break;
    }
    return 0;
}
