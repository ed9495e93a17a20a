// The system's default language through GetSystemDefaultLangID.
#pragma once

#include <windows.h>

#include "directory/system_language.h"

class WinSystemLanguage final : public SystemLanguage {
  public:
    std::uint16_t DefaultLanguageId() const override { return GetSystemDefaultLangID(); }
};
