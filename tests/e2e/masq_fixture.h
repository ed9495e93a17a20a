// Every end-to-end test starts from a fresh installation and a user who never ran the program.
#pragma once

#include <gtest/gtest.h>

#include "tests/e2e/masq_session.h"

namespace e2e {

using namespace driver;

class MasqTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallProgram();
        ResetUserState();
    }
};

}  // namespace e2e
