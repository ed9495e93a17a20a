// An in-memory settings store. Names match without regard to case, as in the real file, and
// tests can see what was written.
#pragma once

#include "settings/settings_store.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <string>

class FakeSettingsStore final : public SettingsStore {
  public:
    std::string path;  // where Open pointed it

    void Open(std::string_view openedPath) override { path = openedPath; }
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const override {
        return Raw(section, key).value_or(std::string(def));
    }
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override {
        Seed(section, key, value);
        ++writes_;
    }

    // Puts a value in place as if the file held it already; not counted as a write.
    void Seed(std::string_view section, std::string_view key, std::string_view value) {
        values_[Name(section, key)] = std::string(value);
    }
    // The stored text, or nullopt when the key is missing.
    std::optional<std::string> Raw(std::string_view section, std::string_view key) const {
        auto found = values_.find(Name(section, key));
        if (found == values_.end())
            return std::nullopt;
        return found->second;
    }
    int Writes() const { return writes_; }

  private:
    static std::string Name(std::string_view section, std::string_view key) {
        std::string name(section);
        name.append(1, '\n').append(key);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return name;
    }

    std::map<std::string, std::string> values_;
    int writes_ = 0;
};
