#include "update/download_url.h"

#include <gtest/gtest.h>

namespace {

TEST(UpdateUrls, TheInstallerAndItsSignatureOnTheMakersWebHost) {
    EXPECT_EQ(InstallerUrl("127.0.0.40"), "http://127.0.0.40/download/masqng.exe");
    EXPECT_EQ(SignatureUrl("127.0.0.40"), "http://127.0.0.40/download/masqng.exe.sig");
}

}  // namespace
