#include "update/installer_check.h"

#include <gtest/gtest.h>

#include "fakes/fake_download_files.h"
#include "fakes/fake_makers_crypto.h"

namespace {

const std::string kInstaller = "C:\\data\\masqng-update.exe";
const std::string kSignature = "C:\\data\\masqng-update.exe.sig";
const std::string kBytes = "MZ the maker's installer";

class InstallerCheckTest : public testing::Test {
  protected:
    InstallerCheckTest() {
        files.files[kInstaller] = kBytes;
        files.files[kSignature] = FakeMakersCrypto::Sign(kBytes);
    }
    bool Check(std::string_view expectedSha256 = {}) {
        return IsGenuineInstaller(kInstaller, kSignature, expectedSha256, crypto, files);
    }

    FakeDownloadFiles files;
    FakeMakersCrypto crypto{files};
};

TEST_F(InstallerCheckTest, TheMakersSignedFileIsGenuineWithOrWithoutTheRepliesSha256) {
    EXPECT_TRUE(Check());
    EXPECT_TRUE(Check(FakeMakersCrypto::HexDigestOf(kBytes)));
    EXPECT_TRUE(Check("  "));  // a blank value is no value
}

TEST_F(InstallerCheckTest, AChangedFileIsRefused) {
    files.files[kInstaller][3] ^= 1;
    EXPECT_FALSE(Check());
}

TEST_F(InstallerCheckTest, AMissingWrongOrOversizedSignatureIsRefused) {
    const std::string cases[] = {"", FakeMakersCrypto::Sign("other bytes"),
                                 FakeMakersCrypto::Sign(kBytes) + std::string(kSignatureSizeLimit, ' ')};
    for (const std::string& signature : cases) {
        files.files[kSignature] = signature;
        EXPECT_FALSE(Check()) << signature.size();
    }
    files.files.erase(kSignature);
    EXPECT_FALSE(Check());
}

TEST_F(InstallerCheckTest, ASignedFileThatIsNotTheOneTheReplyNamesIsRefused) {
    // An older installer, validly signed, where the reply names the new one.
    EXPECT_FALSE(Check(FakeMakersCrypto::HexDigestOf("the new installer")));
    // A value that is no SHA-256 at all: the reply was damaged on the way.
    EXPECT_FALSE(Check("not-a-digest"));
}

TEST_F(InstallerCheckTest, AMissingInstallerIsRefused) {
    files.files.erase(kInstaller);
    EXPECT_FALSE(Check());
}

}  // namespace
