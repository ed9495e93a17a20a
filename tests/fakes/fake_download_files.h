// The data folder in memory, with switches for a folder that refuses new files and a disk that
// fills up.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "update/download_files.h"

class FakeDownloadFiles final : public DownloadFiles {
  public:
    std::map<std::string, std::string> files;
    bool createFails = false;
    std::optional<std::size_t> diskSpace;  // bytes that can still be written; unlimited when unset

    std::unique_ptr<DownloadFile> Create(const std::string& path) override {
        if (createFails)
            return nullptr;
        files[path].clear();
        return std::make_unique<File>(*this, path);
    }
    std::optional<std::string> ReadSmall(const std::string& path, std::size_t limit) override {
        auto found = files.find(path);
        if (found == files.end() || found->second.size() > limit)
            return std::nullopt;
        return found->second;
    }
    void Remove(const std::string& path) override { files.erase(path); }

    bool Has(const std::string& path) const { return files.count(path) != 0; }

  private:
    class File final : public DownloadFile {
      public:
        File(FakeDownloadFiles& owner, std::string path) : owner_(owner), path_(std::move(path)) {}
        bool Write(const char* data, std::size_t size) override {
            if (owner_.diskSpace) {
                if (*owner_.diskSpace < size)
                    return false;
                *owner_.diskSpace -= size;
            }
            owner_.files[path_].append(data, size);
            return true;
        }

      private:
        FakeDownloadFiles& owner_;
        std::string path_;
    };
};
