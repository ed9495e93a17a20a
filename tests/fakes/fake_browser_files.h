// Files in memory for the browser proxy: a folder search answers from the entries the test
// lists per pattern, folders exist as listed, and single paths can be made to refuse a read, a
// write (a copy to it included) or a delete.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "proxy/browser_files.h"

class FakeBrowserFiles final : public BrowserFiles {
  public:
    std::map<std::string, std::vector<FolderEntry>, std::less<>> entries;  // by search pattern
    std::map<std::string, std::string, std::less<>> files;
    std::set<std::string, std::less<>> folders;  // each ending in a backslash
    std::set<std::string, std::less<>> unwritable;
    std::set<std::string, std::less<>> undeletable;
    std::set<std::string, std::less<>> unreadable;

    std::vector<FolderEntry> FindEntries(std::string_view pattern) const override {
        auto found = entries.find(pattern);
        return found == entries.end() ? std::vector<FolderEntry>{} : found->second;
    }
    bool FileExists(std::string_view path) const override { return files.contains(path); }
    bool FolderExists(std::string_view path) const override { return folders.contains(path); }
    std::optional<std::string> Read(std::string_view path) const override {
        auto found = files.find(path);
        if (found == files.end() || unreadable.contains(path))
            return std::nullopt;
        return found->second;
    }
    bool Write(std::string_view path, std::string_view bytes) override {
        if (unwritable.contains(path))
            return false;
        files[std::string(path)] = bytes;
        return true;
    }
    bool Remove(std::string_view path) override {
        auto found = files.find(path);
        if (found == files.end() || undeletable.contains(path))
            return false;
        files.erase(found);
        return true;
    }
    bool CopyIfAbsent(std::string_view from, std::string_view to) override {
        auto source = files.find(from);
        if (source == files.end() || files.contains(to) || unwritable.contains(to))
            return false;
        files[std::string(to)] = source->second;
        return true;
    }
};
