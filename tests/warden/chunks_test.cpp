// Chunks sealed by warden and read back as a node's would be, and what a hostile node can send.
#include <gtest/gtest.h>

#include <numeric>
#include <string>

#include "warden/shadowsocks/chunk_reader.h"
#include "warden/shadowsocks/chunk_sealer.h"
#include "warden/shadowsocks/key_derivation.h"
#include "warden/shadowsocks/request.h"
#include "warden/shadowsocks/sealing_slots.h"
#include "warden/socks/messages.h"

namespace warden::shadowsocks {
namespace {

Bytes Counting(std::size_t size) {
    Bytes bytes(size);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{7});
    return bytes;
}

struct Read {
    bool good = true;
    Bytes plaintext;
};

// Feeds `stream` in pieces of `piece` bytes and gathers what the reader hands on.
Read ReadInPieces(ChunkReader& reader, Bytes stream, std::size_t piece) {
    Read read;
    for (std::size_t at = 0; at < stream.size() && read.good; at += piece) {
        ChunkReader::Plaintext plaintext;
        read.good = reader.Feed(std::span(stream).subspan(at, std::min(piece, stream.size() - at)), plaintext);
        for (std::size_t run = 0; run < plaintext.count; ++run)
            read.plaintext.insert(read.plaintext.end(), plaintext.runs[run].begin(), plaintext.runs[run].end());
    }
    return read;
}

class Chunks : public ::testing::TestWithParam<std::string_view> {
  protected:
    const Method& method_ = *MethodNamed(GetParam());
    const Bytes key_ = PasswordKey("chunk test", method_.key_size);

    // What a node sends: its salt, then `plain` as chunks.
    Bytes Stream(const Bytes& plain) {
        ChunkSealer sealer(method_, key_);
        Bytes stream(sealer.salt().begin(), sealer.salt().end());
        sealer.Append(plain, stream);
        return stream;
    }
};

TEST_P(Chunks, ComeBackWholeHoweverTheyAreCut) {
    const Bytes plain = Counting(3 * kMaxPayload + 5);
    const Bytes stream = Stream(plain);
    EXPECT_EQ(stream.size(), method_.key_size + SealedSize(plain.size()));
    for (const std::size_t piece : {std::size_t{1}, std::size_t{2048}, std::size_t{7000}, stream.size()}) {
        ChunkReader reader(method_, key_);
        const Read read = ReadInPieces(reader, stream, piece);
        EXPECT_TRUE(read.good) << piece;
        EXPECT_EQ(read.plaintext, plain) << "in pieces of " << piece;
        EXPECT_FALSE(reader.Midway());
    }
}

TEST_P(Chunks, SealedInPlaceInSlotsAsTheyAreAppended) {
    const Bytes salt(method_.key_size, 0x5a);
    for (const std::size_t buffer_size : {std::size_t{2048}, std::size_t{128 * 1024}}) {
        Bytes buffer(buffer_size);
        SealingSlots slots(buffer);
        for (const std::size_t size : {std::size_t{1}, kMaxPayload, kMaxPayload + 1, slots.capacity()}) {
            if (size > slots.capacity())
                continue;
            const Bytes plain = Counting(size);
            std::size_t at = 0;
            for (const auto payload : slots.payloads()) {
                const std::size_t part = std::min(payload.size(), size - at);
                std::copy_n(plain.begin() + static_cast<std::ptrdiff_t>(at), part, payload.begin());
                at += part;
            }
            ChunkSealer in_place(method_, key_, salt), appended(method_, key_, salt);
            const auto sealed = slots.Seal(in_place, size);
            Bytes expected;
            appended.Append(plain, expected);
            EXPECT_EQ(Bytes(sealed.begin(), sealed.end()), expected) << buffer_size << " / " << size;
        }
    }
}

TEST_P(Chunks, ARequestCarriesTheAddressAndTheFirstBytesInItsFirstChunk) {
    ChunkSealer sealer(method_, key_);
    const socks::Destination destination{std::string("example.org"), 443};
    const Bytes first = Counting(100);
    const Bytes request = Request(sealer, destination, first);
    ChunkReader reader(method_, key_);
    const Read read = ReadInPieces(reader, request, request.size());
    Bytes expected;
    socks::AppendAddress(expected, destination);
    expected.insert(expected.end(), first.begin(), first.end());
    EXPECT_EQ(read.plaintext, expected);
    EXPECT_EQ(request.size(), method_.key_size + SealedSize(expected.size())) << "one chunk";
}

// Each hostile stream ends the reading: nothing of the faulty chunk, nor after it, is handed on
// (nor what the same piece completed before it); chunks of earlier pieces came through whole.
TEST_P(Chunks, HostileBytesAreAFaultAndNothingUnauthenticatedPasses) {
    const Bytes good = Counting(1000);
    const Bytes stream = Stream(good);  // salt, then one chunk
    const std::size_t salt = method_.key_size;
    const std::size_t payload = salt + kLengthBlock;
    struct Case {
        std::string name;
        Bytes stream;
    };
    auto flipped = [&](std::size_t at) {
        Bytes copy = stream;
        copy[at] ^= 0x01;
        return copy;
    };
    Bytes two_chunks = Stream(Counting(2 * kMaxPayload));
    two_chunks[two_chunks.size() - 1] ^= 0x80;  // the second chunk's payload tag
    // A length over the protocol's limit, sealed with the right key: only the limit refuses it.
    Bytes over_limit(salt, 0x33);
    {
        AeadCipher cipher(method_, SessionSubkey(key_, over_limit));
        Bytes length{0x40, 0x00};
        Bytes tag(kTagSize);
        cipher.Seal(length, std::span(tag).first<kTagSize>());
        over_limit.insert(over_limit.end(), length.begin(), length.end());
        over_limit.insert(over_limit.end(), tag.begin(), tag.end());
        over_limit.resize(over_limit.size() + 0x4000 + kTagSize);
    }
    const Case cases[] = {
        {"garbage", Bytes(4096, 0xAB)},
        {"a tampered length", flipped(salt)},
        {"a tampered length tag", flipped(salt + 2)},
        {"a tampered payload", flipped(payload + 10)},
        {"a tampered payload tag", flipped(stream.size() - 1)},
        {"a tampered salt", flipped(0)},
        {"a length over 0x3FFF", over_limit},
        {"a second chunk tampered", two_chunks},
    };
    for (const Case& c : cases) {
        for (const std::size_t piece : {std::size_t{1}, c.stream.size()}) {
            ChunkReader reader(method_, key_);
            const Read read = ReadInPieces(reader, c.stream, piece);
            EXPECT_FALSE(read.good) << c.name;
            const bool first_chunk_passed = c.name == "a second chunk tampered" && piece == 1;
            const Bytes authentic = first_chunk_passed ? Counting(kMaxPayload) : Bytes{};
            EXPECT_EQ(read.plaintext, authentic) << c.name << " in pieces of " << piece;
            ChunkReader::Plaintext after;
            Bytes again = stream;
            EXPECT_FALSE(reader.Feed(again, after)) << c.name << ": a fault is for good";
            EXPECT_EQ(after.count, 0U);
        }
    }
}

TEST_P(Chunks, AStreamCutShortIsMidway) {
    const Bytes stream = Stream(Counting(1000));
    for (const std::size_t cut : {std::size_t{1}, method_.key_size - 1, method_.key_size + 5,
                                  method_.key_size + kLengthBlock + 999}) {
        ChunkReader reader(method_, key_);
        const Read read = ReadInPieces(reader, Bytes(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(cut)), 1);
        EXPECT_TRUE(read.good) << cut;
        EXPECT_TRUE(read.plaintext.empty()) << cut;
        EXPECT_TRUE(reader.Midway()) << "cut at " << cut;
    }
    ChunkReader untouched(method_, key_);
    EXPECT_FALSE(untouched.Midway()) << "nothing at all came: a clean end";
}

INSTANTIATE_TEST_SUITE_P(EveryMethod,
                         Chunks,
                         ::testing::Values("aes-128-gcm", "aes-256-gcm", "chacha20-ietf-poly1305"),
                         [](const auto& info) {
                             std::string name(info.param);
                             std::erase(name, '-');
                             return name;
                         });

TEST(Methods, OnlyTheThreeAeadNamesMeanAShadowsocksNode) {
    EXPECT_EQ(MethodNamed("aes-128-gcm")->key_size, 16U);
    EXPECT_EQ(MethodNamed("aes-256-gcm")->key_size, 32U);
    EXPECT_EQ(MethodNamed("chacha20-ietf-poly1305")->key_size, 32U);
    for (const std::string_view other : {"", "user", "AES-256-GCM", "aes-256-cfb", "aes-256-gcm "})
        EXPECT_EQ(MethodNamed(other), nullptr) << other;
}

}  // namespace
}  // namespace warden::shadowsocks
