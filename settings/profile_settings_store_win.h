// The settings store on an INI file, through the system's profile functions: every write
// reaches the file at once.
#pragma once

#include "settings/settings_store.h"

#include <string>

class ProfileSettingsStore final : public SettingsStore {
  public:
    void Open(std::string_view path) override;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const override;
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
    std::vector<std::string> KeysOf(std::string_view section) const override;
    void RemoveSection(std::string_view section) override;

  private:
    std::string path_;
};
