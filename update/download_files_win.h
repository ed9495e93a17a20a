// The download's files on disk.
#pragma once

#include "update/download_files.h"

class WinDownloadFiles final : public DownloadFiles {
  public:
    std::unique_ptr<DownloadFile> Create(const std::string& path) override;
    std::optional<std::string> ReadSmall(const std::string& path, std::size_t limit) override;
    void Remove(const std::string& path) override;
};
