#include "firefox/host/native_messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace firefox_host {
namespace {

using Event = RequestReader::Event;

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

// Feeds `stream` in pieces of `piece` bytes; returns the messages read, and whether the
// reader ended invalid.
struct Read {
    std::vector<std::string> messages;
    bool invalid = false;
};
Read FeedInPieces(std::string_view stream, std::size_t piece) {
    RequestReader reader;
    Read read;
    const std::vector<std::uint8_t> bytes = Bytes(stream);
    std::span<const std::uint8_t> rest(bytes);
    while (!rest.empty() && !read.invalid) {
        std::span<const std::uint8_t> chunk = rest.first(std::min(piece, rest.size()));
        rest = rest.subspan(chunk.size());
        while (true) {
            const RequestReader::Result result = reader.Feed(chunk);
            chunk = chunk.subspan(result.consumed);
            if (result.event == Event::kMessage)
                read.messages.emplace_back(reader.message());
            if (result.event == Event::kInvalid)
                read.invalid = true;
            if (result.event != Event::kMessage)
                break;
        }
    }
    return read;
}

TEST(NativeMessages, FrameIsLittleEndianLengthThenText) {
    EXPECT_EQ(Frame("\"state\""), std::string("\x07\x00\x00\x00\"state\"", 11));
    const std::string big(0x10203, 'x');
    EXPECT_EQ(Frame(big).substr(0, 4), std::string("\x03\x02\x01\x00", 4));
}

TEST(NativeMessages, ReadsMessagesHoweverTheBytesArrive) {
    const std::string stream = Frame("\"state\"") + Frame("") + Frame(std::string(kMaxRequestSize, 'y')) + Frame("{}");
    for (std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{5}, stream.size()}) {
        SCOPED_TRACE(piece);
        const Read read = FeedInPieces(stream, piece);
        EXPECT_FALSE(read.invalid);
        EXPECT_EQ(read.messages, (std::vector<std::string>{"\"state\"", "", std::string(kMaxRequestSize, 'y'), "{}"}));
    }
}

TEST(NativeMessages, AnOversizedLengthEndsTheStreamForGood) {
    const std::string stream = Frame("\"state\"") + Frame(std::string(kMaxRequestSize + 1, 'z')) + Frame("\"state\"");
    for (std::size_t piece : {std::size_t{1}, stream.size()}) {
        const Read read = FeedInPieces(stream, piece);
        EXPECT_TRUE(read.invalid);
        EXPECT_EQ(read.messages, std::vector<std::string>{"\"state\""});
    }
    RequestReader reader;
    const std::vector<std::uint8_t> huge = Bytes(std::string("\xFF\xFF\xFF\xFF", 4));
    EXPECT_EQ(reader.Feed(huge).event, Event::kInvalid);
    EXPECT_EQ(reader.Feed(Bytes(Frame("\"state\""))).event, Event::kInvalid);
}

}  // namespace
}  // namespace firefox_host
