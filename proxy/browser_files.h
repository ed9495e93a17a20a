// Port: the files through which the program sets Firefox's proxy: Firefox's list of profiles and
// the profile search, the profile's user.js with its backups and Firefox's own prefs.js, and the
// add-on's state file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One entry of a folder search.
struct FolderEntry {
    std::string name;
    bool hidden = false;
    bool system = false;
    bool operator==(const FolderEntry&) const = default;
};

class BrowserFiles {
  public:
    virtual ~BrowserFiles() = default;
    // The folders and files that match `pattern` (a path ending in a wildcard name), in the
    // file system's order.
    virtual std::vector<FolderEntry> FindEntries(std::string_view pattern) const = 0;
    virtual bool FileExists(std::string_view path) const = 0;
    virtual bool FolderExists(std::string_view path) const = 0;
    // The file's bytes; nullopt when it cannot be read.
    virtual std::optional<std::string> Read(std::string_view path) const = 0;
    // Replaces the file whole with `bytes`; false when it could not be written.
    virtual bool Write(std::string_view path, std::string_view bytes) = 0;
    virtual bool Remove(std::string_view path) = 0;
    // Copies `from` to `to` unless `to` exists already; false when nothing was copied.
    virtual bool CopyIfAbsent(std::string_view from, std::string_view to) = 0;
};
