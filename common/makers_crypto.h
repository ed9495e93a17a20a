// The port to the platform's cryptography that decides whether a downloaded installer is the
// maker's: SHA-256 of a file, and the maker's signature over such a digest checked against the
// public key built into the program (RSA-PSS with SHA-256, 32-byte salt).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "update/received_values.h"

class MakersCrypto {
  public:
    virtual ~MakersCrypto() = default;

    // nullopt when the file could not be read to its end.
    virtual std::optional<Sha256Digest> FileSha256(const std::string& path) = 0;
    // True only when `signature` is the maker's signature of `digest`.
    virtual bool IsMakersSignature(const Sha256Digest& digest, std::string_view signature) = 0;
};
