// The system download in memory: a scripted text, or a failure; every call is kept.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "directory/fallback_download.h"

class FakeFallbackDownload final : public FallbackDownload {
  public:
    struct Call {
        std::string url;
        std::string path;
        std::chrono::milliseconds timeLimit;
        std::size_t maxBytes;
    };
    std::optional<std::string> text;  // nullopt: the download fails
    std::vector<Call> calls;

    std::optional<std::string> DownloadText(const std::string& url,
                                            const std::string& path,
                                            std::chrono::milliseconds timeLimit,
                                            std::size_t maxBytes) override {
        calls.push_back({url, path, timeLimit, maxBytes});
        return text;
    }
};
