// The port of the directory request's last resort: the system's own download of a URL into a
// file, through whatever the system's browser settings allow.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

class FallbackDownload {
  public:
    virtual ~FallbackDownload() = default;
    // Downloads `url` into the file `path`, reads it and deletes it again. The text read, or an
    // empty text when it is longer than `maxBytes` or cannot be read; nullopt when the download
    // failed or took longer than `timeLimit`. The file never outlives the call.
    virtual std::optional<std::string> DownloadText(const std::string& url,
                                                    const std::string& path,
                                                    std::chrono::milliseconds timeLimit,
                                                    std::size_t maxBytes) = 0;
};
