#include "update/installer_check.h"

#include "update/received_values.h"

bool IsGenuineInstaller(const std::string& installerPath,
                        const std::string& signaturePath,
                        std::string_view expectedSha256,
                        MakersCrypto& crypto,
                        DownloadFiles& files) {
    std::optional<Sha256Digest> expected;
    if (!TrimBlanks(expectedSha256).empty()) {
        expected = ParseSha256(expectedSha256);
        if (!expected)
            return false;
    }
    const std::optional<Sha256Digest> digest = crypto.FileSha256(installerPath);
    if (!digest || (expected && *expected != *digest))
        return false;
    const std::optional<std::string> signature = files.ReadSmall(signaturePath, kSignatureSizeLimit);
    return signature && crypto.IsMakersSignature(*digest, *signature);
}
