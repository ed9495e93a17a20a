#include "common/cng_makers_crypto_win.h"

#include <array>
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

std::optional<Sha256Digest> CngMakersCrypto::FileSha256(const std::string& path) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    UniqueAlgorithm sha256 = OpenAlgorithm(BCRYPT_SHA256_ALGORITHM);
    if (!file || !sha256)
        return std::nullopt;
    BCRYPT_HASH_HANDLE hashHandle = nullptr;
    if (!Succeeded(BCryptCreateHash(sha256.Get(), &hashHandle, nullptr, 0, nullptr, 0, 0)))
        return std::nullopt;
    UniqueCngHash hash(hashHandle);

    std::vector<UCHAR> buffer(kReadSize);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer.data(), kReadSize, &read, nullptr))
            return std::nullopt;
        if (read == 0)
            break;
        if (!Succeeded(BCryptHashData(hash.Get(), buffer.data(), read, 0)))
            return std::nullopt;
    }
    Sha256Digest digest;
    if (!Succeeded(BCryptFinishHash(hash.Get(), digest.data(), ULONG(digest.size()), 0)))
        return std::nullopt;
    return digest;
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
