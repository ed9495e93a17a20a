// Folders and files through the Win32 shell and file functions.
#pragma once

#include "platform/folder_system.h"

#include <windows.h>

class WinFolderSystem final : public FolderSystem {
  public:
    // `owner` is the window the shell may use for any message it shows.
    explicit WinFolderSystem(HWND owner = nullptr);

    std::string ExecutablePath() const override;
    std::string WindowsFolder() const override;
    std::string UserAppDataFolder() const override;
    std::string TempPath() const override;

    bool FolderExists(std::string_view path) const override;
    bool FileExists(std::string_view path) const override;
    bool CreateFolder(std::string_view path) override;
    std::optional<std::string> ReadTextFile(std::string_view path) const override;

  private:
    HWND owner_;
};
