// The port to the platform's cryptography that tells what the maker signed from anything else:
// SHA-256 of bytes or of a file, and the maker's signature over such a digest checked against
// the public key built into the program (RSA-PSS with SHA-256, 32-byte salt). The update checks
// the installers it downloads with it, the directory request the replies it receives.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using Sha256Digest = std::array<std::uint8_t, 32>;

// A signature larger than this is no signature (an RSA-4096 one has 512 bytes).
inline constexpr std::size_t kSignatureSizeLimit = 4096;

class MakersCrypto {
  public:
    virtual ~MakersCrypto() = default;

    // nullopt when the platform could not hash.
    virtual std::optional<Sha256Digest> Sha256(std::string_view bytes) = 0;
    // nullopt when the file could not be read to its end.
    virtual std::optional<Sha256Digest> FileSha256(const std::string& path) = 0;
    // True only when `signature` is the maker's signature of `digest`.
    virtual bool IsMakersSignature(const Sha256Digest& digest, std::string_view signature) = 0;
};
