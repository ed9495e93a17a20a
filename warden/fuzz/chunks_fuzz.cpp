// libFuzzer entry over the chunk reader: everything a hostile Shadowsocks node can send goes
// through it. The first byte picks how the rest is cut into pieces and whether it is fed as it
// is (garbage) or first sealed as a node would send it and then changed at one place, so that
// the fuzzer also reaches chunks that open.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "warden/shadowsocks/chunk_reader.h"
#include "warden/shadowsocks/chunk_sealer.h"
#include "warden/shadowsocks/key_derivation.h"

namespace {

using namespace warden::shadowsocks;

const Method& kMethod = *MethodNamed("chacha20-ietf-poly1305");
const Bytes kKey = PasswordKey("fuzz", kMethod.key_size);

void Feed(std::vector<std::uint8_t> stream, std::size_t piece, const std::vector<std::uint8_t>* sealed_plain) {
    ChunkReader reader(kMethod, kKey);
    std::vector<std::uint8_t> passed;
    bool good = true;
    for (std::size_t at = 0; at < stream.size() && good; at += piece) {
        ChunkReader::Plaintext plaintext;
        good = reader.Feed(std::span(stream).subspan(at, std::min(piece, stream.size() - at)), plaintext);
        for (std::size_t run = 0; run < plaintext.count; ++run)
            passed.insert(passed.end(), plaintext.runs[run].begin(), plaintext.runs[run].end());
    }
    // What passed is always what was sealed, from its start: never a changed or invented byte.
    if (sealed_plain &&
        (passed.size() > sealed_plain->size() || !std::equal(passed.begin(), passed.end(), sealed_plain->begin())))
        __builtin_trap();
    if (!sealed_plain && !passed.empty())
        __builtin_trap();  // garbage never opens (a forged tag is out of a fuzzer's reach)
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    const std::size_t piece = 1 + data[0] % 64 * 97;
    const bool seal_first = data[1] & 1;
    const std::size_t change_at = data[2];
    std::vector<std::uint8_t> input(data + 3, data + size);
    if (!seal_first) {
        Feed(std::move(input), piece, nullptr);
        return 0;
    }
    ChunkSealer sealer(kMethod, kKey, Bytes(kMethod.key_size, 0x11));
    std::vector<std::uint8_t> stream(sealer.salt().begin(), sealer.salt().end());
    sealer.Append(input, stream);
    if (change_at % 2 == 1 && !stream.empty())
        stream[change_at * 131 % stream.size()] ^= static_cast<std::uint8_t>(change_at | 1);
    else if (change_at % 4 == 2)
        stream.resize(stream.size() * change_at / 256);  // cut short
    Feed(std::move(stream), piece, &input);
    return 0;
}
