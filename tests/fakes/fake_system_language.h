// The system's default language as the test sets it.
#pragma once

#include "directory/system_language.h"

class FakeSystemLanguage final : public SystemLanguage {
  public:
    std::uint16_t id = 1033;
    std::uint16_t DefaultLanguageId() const override { return id; }
};
