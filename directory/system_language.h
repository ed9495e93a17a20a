// The port that names the system's default language, which the directory request reports.
#pragma once

#include <cstdint>

class SystemLanguage {
  public:
    virtual ~SystemLanguage() = default;
    virtual std::uint16_t DefaultLanguageId() const = 0;  // 1033: English (United States)
};
