// An in-memory settings store. Names match without regard to case, as in the real file, and
// tests can see what was written.
#pragma once

#include "settings/settings_store.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <string>
#include <vector>

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

    std::vector<std::string> KeysOf(std::string_view section) const override {
        std::vector<std::string> keys;
        for (const auto& [name, entry] : values_)
            if (Lower(entry.section) == Lower(section))
                keys.push_back(entry.key);
        return keys;
    }
    void RemoveSection(std::string_view section) override {
        std::erase_if(values_, [&](const auto& item) { return Lower(item.second.section) == Lower(section); });
        ++writes_;
    }

    // Puts a value in place as if the file held it already; not counted as a write.
    void Seed(std::string_view section, std::string_view key, std::string_view value) {
        Entry& entry = values_[Name(section, key)];
        if (entry.key.empty())
            entry = {std::string(section), std::string(key), ""};
        entry.value = value;
    }
    // The stored text, or nullopt when the key is missing.
    std::optional<std::string> Raw(std::string_view section, std::string_view key) const {
        auto found = values_.find(Name(section, key));
        if (found == values_.end())
            return std::nullopt;
        return found->second.value;
    }
    int Writes() const { return writes_; }

  private:
    struct Entry {
        std::string section, key, value;  // the names as first written
    };
    static std::string Lower(std::string_view text) {
        std::string lower(text);
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return lower;
    }
    static std::string Name(std::string_view section, std::string_view key) {
        return Lower(section) + "\n" + Lower(key);
    }

    std::map<std::string, Entry> values_;
    int writes_ = 0;
};
