// The directory's GET through WinInet, with the system's preconfigured proxy.
#pragma once

#include "directory/http_text.h"

class WinHttpText final : public HttpText {
  public:
    std::optional<std::string> GetText(const TextRequest& request) override;
};
