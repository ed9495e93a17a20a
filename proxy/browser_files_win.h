// The browser proxy's files through the Win32 file functions.
#pragma once

#include "proxy/browser_files.h"

class WinBrowserFiles final : public BrowserFiles {
  public:
    std::vector<FolderEntry> FindEntries(std::string_view pattern) const override;
    bool FileExists(std::string_view path) const override;
    bool FolderExists(std::string_view path) const override;
    std::optional<std::string> Read(std::string_view path) const override;
    bool Write(std::string_view path, std::string_view bytes) override;
    bool Remove(std::string_view path) override;
    bool CopyIfAbsent(std::string_view from, std::string_view to) override;
};
