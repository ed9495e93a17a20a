#include "directory/md5.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

// Per-round shift amounts and the sine-derived constants of RFC 1321, section 3.4.
constexpr std::array<std::uint32_t, 64> kShifts{7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                                                5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                                                4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                                                6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

constexpr std::array<std::uint32_t, 64> kSines{
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

std::uint32_t RotateLeft(std::uint32_t x, std::uint32_t n) {
    return (x << n) | (x >> (32 - n));
}

class Md5 {
  public:
    void Update(const unsigned char* data, std::size_t size) {
        length_ += size;
        while (size > 0) {
            const std::size_t take = std::min(size, block_.size() - filled_);
            std::memcpy(block_.data() + filled_, data, take);
            filled_ += take;
            data += take;
            size -= take;
            if (filled_ == block_.size()) {
                Transform();
                filled_ = 0;
            }
        }
    }

    std::array<unsigned char, 16> Finish() {
        const std::uint64_t bits = length_ * 8;
        const unsigned char pad = 0x80;
        Update(&pad, 1);
        const unsigned char zero = 0;
        while (filled_ != 56)
            Update(&zero, 1);
        std::array<unsigned char, 8> size{};
        for (int i = 0; i < 8; ++i)
            size[i] = static_cast<unsigned char>(bits >> (8 * i));  // little-endian bit count
        Update(size.data(), size.size());
        std::array<unsigned char, 16> digest{};
        for (int i = 0; i < 16; ++i)
            digest[i] = static_cast<unsigned char>(state_[i / 4] >> (8 * (i % 4)));
        return digest;
    }

  private:
    void Transform() {
        std::array<std::uint32_t, 16> words{};
        for (int i = 0; i < 16; ++i)
            words[i] = std::uint32_t(block_[4 * i]) | std::uint32_t(block_[4 * i + 1]) << 8 |
                       std::uint32_t(block_[4 * i + 2]) << 16 | std::uint32_t(block_[4 * i + 3]) << 24;
        std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
        for (std::uint32_t i = 0; i < 64; ++i) {
            std::uint32_t f = 0, g = 0;
            switch (i / 16) {
                case 0:
                    f = (b & c) | (~b & d);
                    g = i;
                    break;
                case 1:
                    f = (d & b) | (~d & c);
                    g = (5 * i + 1) % 16;
                    break;
                case 2:
                    f = b ^ c ^ d;
                    g = (3 * i + 5) % 16;
                    break;
                default:
                    f = c ^ (b | ~d);
                    g = (7 * i) % 16;
                    break;
            }
            const std::uint32_t next = b + RotateLeft(a + f + kSines[i] + words[g], kShifts[i]);
            a = d;
            d = c;
            c = b;
            b = next;
        }
        state_[0] += a;
        state_[1] += b;
        state_[2] += c;
        state_[3] += d;
    }

    std::array<std::uint32_t, 4> state_{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    std::array<unsigned char, 64> block_{};
    std::size_t filled_ = 0;
    std::uint64_t length_ = 0;
};

}  // namespace

std::string BufMD5Hex(const void* data, std::size_t size) {
    Md5 md5;
    md5.Update(static_cast<const unsigned char*>(data), size);
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char byte : md5.Finish()) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

std::string StrMD5Hex(std::string_view text) {
    return BufMD5Hex(text.data(), text.size());
}
