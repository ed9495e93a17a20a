// Registry string values in memory, with a switch that makes every change fail (no access).
#pragma once

#include "platform/registry.h"

#include <map>
#include <string>
#include <tuple>

class FakeRegistry final : public Registry {
  public:
    using Name = std::tuple<RegistryRoot, std::string, std::string>;  // root, key, value
    std::map<Name, std::string> values;
    bool refusing = false;

    std::optional<std::string> ReadString(RegistryRoot root,
                                          std::string_view key,
                                          std::string_view value) const override {
        auto found = values.find(Name{root, key, value});
        if (found == values.end())
            return std::nullopt;
        return found->second;
    }
    bool WriteString(RegistryRoot root, std::string_view key, std::string_view value, std::string_view data) override {
        if (refusing)
            return false;
        values[Name{root, key, value}] = data;
        return true;
    }
    bool DeleteValue(RegistryRoot root, std::string_view key, std::string_view value) override {
        if (refusing)
            return false;
        values.erase(Name{root, key, value});
        return true;
    }
};
