// The registry through the Win32 registry functions; each call opens its key and closes it again.
#pragma once

#include "platform/registry.h"

class WinRegistry final : public Registry {
  public:
    std::optional<std::string> ReadString(RegistryRoot root,
                                          std::string_view key,
                                          std::string_view value) const override;
    bool WriteString(RegistryRoot root, std::string_view key, std::string_view value, std::string_view data) override;
    bool DeleteValue(RegistryRoot root, std::string_view key, std::string_view value) override;
};
