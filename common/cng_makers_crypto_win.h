// The maker's-key cryptography from Windows CNG (bcrypt): SHA-256 of bytes and of files, and an
// RSA-PSS signature (SHA-256, 32-byte salt) checked against a public key.
#pragma once

#include <cstdint>
#include <vector>

#include "common/makers_crypto.h"

struct RsaPublicKey {  // both big-endian, as the PEM file holds them
    std::vector<std::uint8_t> modulus;
    std::vector<std::uint8_t> exponent;
};

// The maker's key, built into the program (the build option MASQ_MAKERS_PUBLIC_KEY; a test
// build makes a key pair of its own).
RsaPublicKey MakersPublicKey();

class CngMakersCrypto final : public MakersCrypto {
  public:
    explicit CngMakersCrypto(RsaPublicKey key = MakersPublicKey()) : key_(std::move(key)) {}

    std::optional<Sha256Digest> Sha256(std::string_view bytes) override;
    std::optional<Sha256Digest> FileSha256(const std::string& path) override;
    bool IsMakersSignature(const Sha256Digest& digest, std::string_view signature) override;

  private:
    RsaPublicKey key_;
};
