#include "common/cng_makers_crypto_win.h"

#include <climits>
#include <iterator>

#include "common/cng_handles_win.h"
#include "common/makers_public_key.h"

namespace {

constexpr ULONG kPssSaltSize = 32;
constexpr DWORD kReadSize = 64 * 1024;

bool Succeeded(NTSTATUS status) {
    return status >= 0;
}

UniqueAlgorithm OpenAlgorithm(const wchar_t* name) {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (!Succeeded(BCryptOpenAlgorithmProvider(&algorithm, name, nullptr, 0)))
        return {};
    return UniqueAlgorithm(algorithm);
}

// A SHA-256 fed in pieces; a failure anywhere makes Finish() nullopt.
class Sha256Hash {
  public:
    Sha256Hash() : algorithm_(OpenAlgorithm(BCRYPT_SHA256_ALGORITHM)) {
        BCRYPT_HASH_HANDLE hash = nullptr;
        if (algorithm_ && Succeeded(BCryptCreateHash(algorithm_.Get(), &hash, nullptr, 0, nullptr, 0, 0)))
            hash_ = UniqueCngHash(hash);
    }
    bool Add(const void* bytes, std::size_t size) {
        // CNG takes a ULONG at a time; a reply or a file piece is far smaller.
        auto* data = static_cast<PUCHAR>(const_cast<void*>(bytes));
        ok_ = ok_ && hash_ && size <= ULONG_MAX &&
              (size == 0 || Succeeded(BCryptHashData(hash_.Get(), data, ULONG(size), 0)));
        return ok_;
    }
    std::optional<Sha256Digest> Finish() {
        Sha256Digest digest;
        if (!ok_ || !hash_ || !Succeeded(BCryptFinishHash(hash_.Get(), digest.data(), ULONG(digest.size()), 0)))
            return std::nullopt;
        return digest;
    }

  private:
    UniqueAlgorithm algorithm_;  // outlives the hash made from it
    UniqueCngHash hash_;
    bool ok_ = true;
};

// BCRYPT_RSAKEY_BLOB: the header, then the exponent and the modulus, big-endian.
std::vector<UCHAR> PublicKeyBlob(const RsaPublicKey& key) {
    BCRYPT_RSAKEY_BLOB header{};
    header.Magic = BCRYPT_RSAPUBLIC_MAGIC;
    header.BitLength = ULONG(key.modulus.size() * 8);
    header.cbPublicExp = ULONG(key.exponent.size());
    header.cbModulus = ULONG(key.modulus.size());
    std::vector<UCHAR> blob(reinterpret_cast<const UCHAR*>(&header), reinterpret_cast<const UCHAR*>(&header + 1));
    blob.insert(blob.end(), key.exponent.begin(), key.exponent.end());
    blob.insert(blob.end(), key.modulus.begin(), key.modulus.end());
    return blob;
}

}  // namespace

RsaPublicKey MakersPublicKey() {
    return {{std::begin(kMakersKeyModulus), std::end(kMakersKeyModulus)},
            {std::begin(kMakersKeyExponent), std::end(kMakersKeyExponent)}};
}

std::optional<Sha256Digest> CngMakersCrypto::Sha256(std::string_view bytes) {
    Sha256Hash hash;
    if (!hash.Add(bytes.data(), bytes.size()))
        return std::nullopt;
    return hash.Finish();
}

std::optional<Sha256Digest> CngMakersCrypto::FileSha256(const std::string& path) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    Sha256Hash hash;
    std::vector<char> buffer(kReadSize);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer.data(), kReadSize, &read, nullptr))
            return std::nullopt;
        if (read == 0)
            break;
        if (!hash.Add(buffer.data(), read))
            return std::nullopt;
    }
    return hash.Finish();
}

bool CngMakersCrypto::IsMakersSignature(const Sha256Digest& digest, std::string_view signature) {
    UniqueAlgorithm rsa = OpenAlgorithm(BCRYPT_RSA_ALGORITHM);
    if (!rsa || signature.empty())
        return false;
    std::vector<UCHAR> blob = PublicKeyBlob(key_);
    BCRYPT_KEY_HANDLE keyHandle = nullptr;
    if (!Succeeded(BCryptImportKeyPair(rsa.Get(), nullptr, BCRYPT_RSAPUBLIC_BLOB, &keyHandle, blob.data(),
                                       ULONG(blob.size()), 0)))
        return false;
    UniqueCngKey key(keyHandle);

    BCRYPT_PSS_PADDING_INFO padding{BCRYPT_SHA256_ALGORITHM, kPssSaltSize};
    Sha256Digest hashed = digest;
    std::vector<UCHAR> signatureBytes(signature.begin(), signature.end());
    return BCryptVerifySignature(key.Get(), &padding, hashed.data(), ULONG(hashed.size()), signatureBytes.data(),
                                 ULONG(signatureBytes.size()), BCRYPT_PAD_PSS) == 0;  // STATUS_SUCCESS only
}
