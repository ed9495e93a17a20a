// The port to the files a download writes and the update checks: the installer and its
// signature in the user's data folder.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

class DownloadFile {
  public:
    virtual ~DownloadFile() = default;  // closes the file

    // Appends `size` bytes; false when they could not all be written.
    virtual bool Write(const char* data, std::size_t size) = 0;
};

class DownloadFiles {
  public:
    virtual ~DownloadFiles() = default;

    // Creates the file, or empties an existing one, for writing; nullptr when that failed.
    // May be called on any thread.
    virtual std::unique_ptr<DownloadFile> Create(const std::string& path) = 0;
    // The whole file when it can be read and holds at most `limit` bytes; nullopt otherwise.
    virtual std::optional<std::string> ReadSmall(const std::string& path, std::size_t limit) = 0;
    // Deletes the file; a missing file is no error.
    virtual void Remove(const std::string& path) = 0;
};
