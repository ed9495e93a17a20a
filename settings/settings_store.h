// The settings file: sections of key=value lines; every read names its default, so a missing
// file or key is never an error. The store exists from the program's start; it reaches a file
// once it is opened, and until then reads give their defaults and writes are dropped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // Reads and writes go to the file at `path` from now on.
    virtual void Open(std::string_view path) = 0;

    virtual std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const = 0;
    virtual void WriteString(std::string_view section, std::string_view key, std::string_view value) = 0;
    // The names of the section's keys, in the file's order; none when it has no such section.
    virtual std::vector<std::string> KeysOf(std::string_view section) const = 0;
    // Takes the section out of the file with all its keys.
    virtual void RemoveSection(std::string_view section) = 0;

    // Decimal, or hexadecimal after "0x"/"0X"; a missing key or text that is no number gives `def`.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    // An integer read with the default 1 or 0; any number other than 0 is true.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    void WriteInteger(std::string_view section, std::string_view key, int value);
    // Written as "1" or "0".
    void WriteBool(std::string_view section, std::string_view key, bool value);
};
