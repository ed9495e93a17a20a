// The directory's fallback through URLDownloadToFileA, the download the system's browser would
// make, bounded in time by a watchdog that aborts the binding.
#pragma once

#include "directory/fallback_download.h"

class WinFallbackDownload final : public FallbackDownload {
  public:
    std::optional<std::string> DownloadText(const std::string& url,
                                            const std::string& path,
                                            std::chrono::milliseconds timeLimit,
                                            std::size_t maxBytes) override;
};
