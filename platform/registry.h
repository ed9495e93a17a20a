// String values of the system registry, under the roots the program uses.
#pragma once

#include <optional>
#include <string>
#include <string_view>

enum class RegistryRoot { CurrentUser, ClassesRoot };

class Registry {
  public:
    virtual ~Registry() = default;

    // The string value `value` ("" is the key's default value) of `key`. Opens the key for
    // reading only and never creates it; nullopt when the key or value is missing or no string.
    virtual std::optional<std::string> ReadString(RegistryRoot root,
                                                  std::string_view key,
                                                  std::string_view value) const = 0;
    // Writes a string value, creating the key when needed; false when the registry refused.
    virtual bool WriteString(RegistryRoot root,
                             std::string_view key,
                             std::string_view value,
                             std::string_view data) = 0;
    // Removes a value; a missing key or value is no error. False when the registry refused.
    virtual bool DeleteValue(RegistryRoot root, std::string_view key, std::string_view value) = 0;
};
