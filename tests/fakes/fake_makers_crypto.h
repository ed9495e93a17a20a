// Stand-in cryptography: a digest that changes with any byte (of bytes in memory, or of a file of
// FakeDownloadFiles), and a "maker's signature" that only Sign() makes. The real algorithms are
// tested under Wine.
#pragma once

#include <cstdint>
#include <string>

#include "common/makers_crypto.h"
#include "fakes/fake_download_files.h"

class FakeMakersCrypto final : public MakersCrypto {
  public:
    FakeMakersCrypto() = default;
    explicit FakeMakersCrypto(const FakeDownloadFiles& files) : files_(&files) {}

    static Sha256Digest DigestOf(std::string_view bytes) {
        Sha256Digest digest{};
        for (std::size_t word = 0; word < 4; ++word) {
            std::uint64_t hash = 14695981039346656037ull + word;  // FNV-1a, one seed per word
            for (unsigned char c : bytes)
                hash = (hash ^ c) * 1099511628211ull;
            for (std::size_t i = 0; i < 8; ++i)
                digest[word * 8 + i] = std::uint8_t(hash >> (8 * i));
        }
        return digest;
    }
    static std::string Sign(std::string_view bytes) {
        const Sha256Digest digest = DigestOf(bytes);
        return "signed:" + std::string(digest.begin(), digest.end());
    }
    static std::string HexDigestOf(std::string_view bytes) {
        static const char kHex[] = "0123456789abcdef";
        std::string hex;
        for (std::uint8_t b : DigestOf(bytes))
            hex += {kHex[b >> 4], kHex[b & 15]};
        return hex;
    }

    std::optional<Sha256Digest> Sha256(std::string_view bytes) override { return DigestOf(bytes); }
    std::optional<Sha256Digest> FileSha256(const std::string& path) override {
        if (!files_)
            return std::nullopt;
        auto found = files_->files.find(path);
        if (found == files_->files.end())
            return std::nullopt;
        return DigestOf(found->second);
    }
    bool IsMakersSignature(const Sha256Digest& digest, std::string_view signature) override {
        return signature == "signed:" + std::string(digest.begin(), digest.end());
    }

  private:
    const FakeDownloadFiles* files_ = nullptr;
};
